#include "tests/admin/DialogWatch.h"

#include <utility>

namespace tavlo::test {

DialogWatch::DialogWatch(ScriptedDialogs& answers, std::function<bool()> keypadUnlocked,
                         std::function<bool()> linked)
    : answers_(answers), keypadUnlocked_(std::move(keypadUnlocked)), linked_(std::move(linked))
{
    installDialogs(this);
}

DialogWatch::~DialogWatch()
{
    installDialogs(&answers_);
}

void DialogWatch::note()
{
    unlockedAt << keypadUnlocked_();
    linkedAt << linked_();
}

void DialogWatch::showMessage(const QString& text)
{
    note();
    answers_.showMessage(text);
}

bool DialogWatch::confirmWarning(const QString& text)
{
    note();
    return answers_.confirmWarning(text);
}

void DialogWatch::showError(const QString& text)
{
    note();
    answers_.showError(text);
}

std::optional<QString> DialogWatch::chooseFileToOpen(const QString& startFolder)
{
    return answers_.chooseFileToOpen(startFolder);
}

}  // namespace tavlo::test
