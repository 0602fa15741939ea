#pragma once

#include "tests/support/TempFolder.h"

#include <QByteArray>
#include <QString>

namespace tavlo::test {

// Points the per-user folders (class registrations, system directory) at a
// fresh temporary folder for the scope's lifetime, by XDG_DATA_HOME, which
// child processes inherit too.
class UserFolders {
public:
    UserFolders();
    ~UserFolders();
    UserFolders(const UserFolders&) = delete;
    UserFolders& operator=(const UserFolders&) = delete;

    QString path() const { return home_.path(); }

    // Registers the terminal control built with the tests, as regsvr32 does.
    void registerControl() const;

    // The folder of the program, the driver files, regsvr32 and the emulator
    // as the build made them.
    static QString binaryFolder();

private:
    TempFolder home_;
    QByteArray previous_;
    bool hadPrevious_ = false;
};

}  // namespace tavlo::test
