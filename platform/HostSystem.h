#pragma once

#include "platform/SystemFacilities.h"

namespace tavlo {

// The facilities of the machine the program runs on. The system directory
// is the per-user folder that stands in for the Windows one; Linux has no
// 32-bit system directory, so that lookup does not exist. A command line is
// started like Windows starts one: its program is looked for in the
// application folder, then in the system directory, then on the PATH.
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
    QString applicationDirectory_;
};

}  // namespace tavlo
