#pragma once

#include <QString>

#include <optional>

namespace tavlo {

// The few facilities of the operating system that installing the terminal
// driver needs, behind one interface so tests can stand in for them.
class SystemFacilities {
public:
    virtual ~SystemFacilities() = default;

    // The system directory, without a trailing separator. Raises Error,
    // saying why, when it does not exist and cannot be made.
    virtual QString systemDirectory() = 0;
    // Asks for the 32-bit system directory of a 64-bit system with a buffer
    // of `bufferSize` characters. Nothing when the system has no such
    // lookup; otherwise the length it reports (0 on failure, the needed size
    // when the buffer is too small) and the text.
    struct Wow64Answer {
        int length = 0;
        QString text;
    };
    virtual std::optional<Wow64Answer> querySystemWow64Directory(int bufferSize) = 0;
    virtual bool directoryExists(const QString& path) = 0;
    // Copies a file, replacing an existing target; false on failure.
    virtual bool copyFile(const QString& source, const QString& target) = 0;
    // Starts a command line in a normal window without waiting for it.
    virtual void startCommand(const QString& commandLine) = 0;
    // Posts the request to end to the message loop.
    virtual void requestQuit() = 0;
};

}  // namespace tavlo
