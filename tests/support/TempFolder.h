#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace tavlo::test {

// A fresh folder for one test, removed with everything in it afterwards.
// Paths end without a separator; file() joins a relative name.
class TempFolder {
public:
    TempFolder();

    QString path() const { return dir_.path(); }
    // The folder with a trailing separator, as the application directory is held.
    QString withSeparator() const { return dir_.path() + '/'; }
    QString file(const QString& name) const { return dir_.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QTemporaryDir dir_;
};

// Makes a folder refuse writes for the scope's lifetime: its permissions
// become read and enter only. Root ignores permissions, so a test run as root
// also gives up its effective user id for the scope and takes it back after.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    QString path_;
    bool droppedRoot_ = false;
};

}  // namespace tavlo::test
