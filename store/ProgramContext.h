#pragma once

#include <QString>

namespace tavlo {

class TDataModul;

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

// What every window works with: the data module with its tables, the
// program's values, and the files of the application folder. The start-up
// makes one and hands it to each window, so that no window needs the
// start-up's own code.
class ProgramContext {
public:
    static constexpr auto kTerminalListFile = "Cihazlar.Dat";
    static constexpr auto kDataFolder = "Data";
    static constexpr auto kPersonnelFile = "Data/Personel.PDT";

    ProgramContext(TDataModul& data, QString applicationDirectory);

    TDataModul& data;
    ProgramValues values;

    // A file of the application folder; a full path stays as it is.
    QString file(const QString& name) const;
    QString terminalListFile() const { return file(QLatin1String(kTerminalListFile)); }
    QString personnelFile() const { return file(QLatin1String(kPersonnelFile)); }
};

}  // namespace tavlo
