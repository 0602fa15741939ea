#include "platform/TextFile.h"

#include "platform/Error.h"

#include <QFile>
#include <QSaveFile>

namespace tavlo::textfile {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    return content;
}

void writeAtomically(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    const auto fail = [&] {
        throw Error(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        fail();
    if (file.write(content) != content.size())
        fail();
    // QSaveFile flushes and syncs the temporary file before it renames it.
    if (!file.commit())
        fail();
}

QByteArrayList splitLines(const QByteArray& content)
{
    QByteArrayList lines;
    qsizetype start = 0;
    const qsizetype size = content.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = content.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(content.mid(start, i - start));
        if (c == '\r' && i + 1 < size && content.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(content.mid(start));
    return lines;
}

}  // namespace tavlo::textfile
