#include "tests/fuzz/ScratchFolder.h"

#include "tests/fuzz/FuzzTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace tavlo::fuzz {

namespace {

// In memory where the machine has such a folder: the files that the program
// writes are synced to the disk, and thousands of syncs would make the run
// wait on the disk rather than fuzz.
QString scratchParent()
{
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    return memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
}

}  // namespace

QString scratchPath(const QString& name)
{
    static QTemporaryDir folder(scratchParent() + QStringLiteral("/tavlo-fuzz-XXXXXX"));
    fuzzCheck(folder.isValid(), "a scratch folder");
    return folder.filePath(name);
}

QString writeScratchFile(const QString& name, const QByteArray& content)
{
    const QString path = scratchPath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    fuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                  && file.write(content) == content.size(),
              "the input written to its file");
    return path;
}

QByteArray readScratchFile(const QString& name)
{
    QFile file(scratchPath(name));
    fuzzCheck(file.open(QIODevice::ReadOnly), "the file read back");
    return file.readAll();
}

}  // namespace tavlo::fuzz
