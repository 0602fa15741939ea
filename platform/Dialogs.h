#pragma once

#include <QString>

#include <optional>

namespace tavlo {

// Every modal box and dialog of the program goes through this interface, so
// tests answer the questions and read what was shown.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A plain message with a single OK button.
    virtual void showMessage(const QString& text) = 0;
    // The "UYARI" question: Yes and No, Yes the default, the warning icon.
    // True on Yes.
    virtual bool confirmWarning(const QString& text) = 0;
    // The error box of an exception that ended a handler.
    virtual void showError(const QString& text) = 0;
    // The file-open dialog, starting in a folder; the chosen full path, or
    // nothing when cancelled.
    virtual std::optional<QString> chooseFileToOpen(const QString& startFolder) = 0;
};

// The process-wide dialogs. Until one is installed, a fallback that answers
// No and Cancel and writes the texts to standard error is used.
Dialogs& dialogs();
// Installs the dialogs for the process (not owned); nullptr restores the fallback.
void installDialogs(Dialogs* dialogs);

}  // namespace tavlo
