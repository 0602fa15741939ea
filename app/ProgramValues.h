#pragma once

#include <QString>

namespace tavlo {

// The values the main window's creation reads once and the other features
// use: where the program's files live, where movements go, and the codes
// written for an entry and an exit.
struct ProgramValues {
    // Folder of the executable, with a trailing separator.
    QString applicationDirectory;
    // Always a full path: a relative name in the settings or on the
    // settings page is taken from the application folder.
    QString movementFilePath;
    QString entryCode;  // GirisSTR, at most 7 characters
    QString exitCode;   // CikisSTR, at most 7 characters
};

}  // namespace tavlo
