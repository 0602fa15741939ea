#pragma once

#include "platform/Dialogs.h"
#include "tests/support/ScriptedDialogs.h"

#include <QList>

#include <functional>

namespace tavlo::test {

// Passes every box on to scripted dialogs and notes, at each box, whether
// the terminal's keypad was unlocked and whether the control still held a
// link, so a test sees what the operator's terminal was like while a
// question, a message or an error was shown. Installed for its scope.
class DialogWatch final : public Dialogs {
public:
    DialogWatch(ScriptedDialogs& answers, std::function<bool()> keypadUnlocked,
                std::function<bool()> linked = [] { return false; });
    ~DialogWatch() override;
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    void showMessage(const QString& text) override;
    bool confirmWarning(const QString& text) override;
    void showError(const QString& text) override;
    std::optional<QString> chooseFileToOpen(const QString& startFolder) override;

    // At each box, in order.
    QList<bool> unlockedAt;
    QList<bool> linkedAt;

private:
    void note();

    ScriptedDialogs& answers_;
    std::function<bool()> keypadUnlocked_;
    std::function<bool()> linked_;
};

}  // namespace tavlo::test
