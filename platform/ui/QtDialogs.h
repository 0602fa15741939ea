#pragma once

#include "platform/Dialogs.h"

namespace tavlo {

// The dialogs of the running program: Qt message boxes and Qt's own file
// dialog, parented to the active window. The file dialog opens an existing
// file or takes a name that does not exist yet.
class QtDialogs final : public Dialogs {
public:
    void showMessage(const QString& text) override;
    bool confirmWarning(const QString& text) override;
    void showError(const QString& text) override;
    std::optional<QString> chooseFileToOpen(const QString& startFolder) override;
};

}  // namespace tavlo
