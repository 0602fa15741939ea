#pragma once

#include "platform/Dialogs.h"

namespace tavlo {

// The dialogs of the running program: Qt message boxes and the Qt file
// dialog, parented to the active window.
class QtDialogs final : public Dialogs {
public:
    void showMessage(const QString& text) override;
    bool confirmWarning(const QString& text) override;
    void showError(const QString& text) override;
    std::optional<QString> chooseFileToOpen(const QString& startFolder) override;
};

}  // namespace tavlo
