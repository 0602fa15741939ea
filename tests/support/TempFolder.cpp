#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>
#include <stdexcept>
#include <unistd.h>

namespace tavlo::test {

namespace {

constexpr auto kReadAndEnter = QFileDevice::ReadOwner | QFileDevice::ExeOwner
                             | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                             | QFileDevice::ReadOther | QFileDevice::ExeOther;
constexpr uid_t kNobody = 65534;

}  // namespace

TempFolder::TempFolder()
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    // Readable by everyone, so that a test that gives up root (ReadOnlyFolder)
    // still reads what it made.
    QFile::setPermissions(dir_.path(), kReadAndEnter | QFileDevice::WriteOwner);
}

void TempFolder::write(const QString& name, const QByteArray& bytes) const
{
    const QString target = file(name);
    QDir().mkpath(QFileInfo(target).path());
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + target.toStdString());
}

QByteArray TempFolder::read(const QString& name) const
{
    QFile in(file(name));
    if (!in.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read test file " + name.toStdString());
    return in.readAll();
}

bool TempFolder::exists(const QString& name) const
{
    return QFileInfo::exists(file(name));
}


ReadOnlyFolder::ReadOnlyFolder(QString path) : path_(std::move(path))
{
    QFile::setPermissions(path_, kReadAndEnter);
    if (::geteuid() == 0) {
        if (::seteuid(kNobody) != 0)
            throw std::runtime_error("cannot give up root for a read-only folder");
        droppedRoot_ = true;
    }
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (droppedRoot_ && ::seteuid(0) != 0)
        std::terminate();
    QFile::setPermissions(path_, kReadAndEnter | QFileDevice::WriteOwner);
}

}  // namespace tavlo::test
