#pragma once

#include "store/ProgramContext.h"

#include <QString>

namespace tavlo {

class TDataModul;

// What the main window's creation puts on the window: the path editor and
// the hidden "records deleted after transfer" check box.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    virtual void showMovementFilePath(const QString& path) = 0;
    // Ticks the box without running its change handler; the setup writes
    // the setting itself, so that a failed write stops the setup.
    virtual void tickDeleteAfterTransferQuietly() = 0;
};

// The creation of the main window after the probe of the terminal control:
// fixes the program's values from the settings file, loads the terminal list
// and the personnel list, clears the per-run status columns and makes sure
// the Data folder exists. Each step that fails raises an error that stops
// the steps after it.
class MainWindowSetup {
public:
    static constexpr auto kDefaultMovementFile = "Hareketler.txt";
    static constexpr auto kTerminalListFile = ProgramContext::kTerminalListFile;
    static constexpr auto kDataFolder = ProgramContext::kDataFolder;
    static constexpr auto kPersonnelFile = ProgramContext::kPersonnelFile;

    MainWindowSetup(TDataModul& data, ProgramValues& values, MainWindowView& view);

    void run(const QString& applicationDirectory);

private:
    void readSettings();
    void loadTerminalList();
    void loadPersonnelList();

    TDataModul& data_;
    ProgramValues& values_;
    MainWindowView& view_;
};

}  // namespace tavlo
