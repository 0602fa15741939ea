#include "tests/support/ScriptedDialogs.h"

namespace tavlo::test {

ScriptedDialogs::ScriptedDialogs()
{
    installDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    installDialogs(nullptr);
}

bool ScriptedDialogs::confirmWarning(const QString& text)
{
    warnings.append(text);
    if (nextWarningAnswers.empty())
        return false;
    const bool answer = nextWarningAnswers.front();
    nextWarningAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::chooseFileToOpen(const QString& startFolder)
{
    fileDialogFolders.append(startFolder);
    std::optional<QString> answer;
    if (!nextFileNames.empty()) {
        answer.swap(nextFileNames.front());
        nextFileNames.pop_front();
    }
    return answer;
}

}  // namespace tavlo::test
