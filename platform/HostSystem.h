#pragma once

#include "platform/SystemFacilities.h"

namespace tavlo {

// The facilities of the machine the program runs on. The system directory
// is the per-user folder that stands in for the Windows one; Linux has no
// 32-bit system directory, so that lookup does not exist. A command line is
// started like Windows starts one: its program is looked for in the
// application folder, then in the system directory, then on the PATH.
//
// The system's own tools (regsvr32) live in the Windows system directory,
// and a tool started from there finds the files of that folder first. Our
// stand-ins for them are built beside the program, so one is copied into the
// system directory and started from there: "regsvr32 sbxpc.ocx" then
// registers the control the installation put in the system directory.
class HostSystem final : public SystemFacilities {
public:
    explicit HostSystem(QString applicationDirectory);

    QString systemDirectory() override;
    std::optional<Wow64Answer> querySystemWow64Directory(int bufferSize) override;
    bool directoryExists(const QString& path) override;
    bool copyFile(const QString& source, const QString& target) override;
    void startCommand(const QString& commandLine) override;
    void requestQuit() override;

    // The program a command line starts, resolved as above; empty when found nowhere.
    QString resolveProgram(const QString& name);

private:
    // The system directory's copy of a system tool, brought up to date from
    // the one resolved as above; that one when the copy cannot be made.
    QString systemTool(const QString& name);

    QString applicationDirectory_;
};

}  // namespace tavlo
