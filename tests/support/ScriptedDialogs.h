#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

namespace tavlo::test {

// Dialogs that record every text shown and give answers queued by the test.
// Installed for the process while it lives.
class ScriptedDialogs final : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void showMessage(const QString& text) override { messages.append(text); }
    bool confirmWarning(const QString& text) override;
    void showError(const QString& text) override { errors.append(text); }
    std::optional<QString> chooseFileToOpen(const QString& startFolder) override;

    // Answers, taken in order; an empty queue answers No and Cancel.
    std::deque<bool> nextWarningAnswers;
    std::deque<std::optional<QString>> nextFileNames;

    QStringList messages;
    QStringList warnings;
    QStringList errors;
    QStringList fileDialogFolders;
};

}  // namespace tavlo::test
