#include "personnel/EnrolmentFile.h"

#include "platform/TextFile.h"
#include "store/ProgramContext.h"

#include <QDir>
#include <QFileInfo>

namespace tavlo {

EnrolmentFile::EnrolmentFile(const ProgramContext& context, qint32 personnelNo, qint32 enrolmentNo)
    : path_(context.file(QString::fromLatin1(kNameFormat).arg(personnelNo).arg(enrolmentNo)))
{
}

bool EnrolmentFile::exists() const
{
    return QFileInfo(path_).isFile();
}

void EnrolmentFile::write(const EnrolmentData& data) const
{
    // The start-up makes the data folder; one removed since is made again
    // rather than losing the enrolment.
    QDir().mkpath(QFileInfo(path_).path());
    textfile::writeAtomically(path_, encode(data));
}

void EnrolmentFile::read(EnrolmentData& data) const
{
    decode(textfile::readAll(path_), data);
}

QByteArray EnrolmentFile::encode(const EnrolmentData& data)
{
    QByteArray content;
    content.reserve(kEnrolmentSize * 13);
    for (qsizetype k = 0; k < kEnrolmentSize; ++k) {
        content.append(QByteArray::number(k < data.size() ? data.at(k) : 0));
        content.append("\r\n");
    }
    return content;
}

void EnrolmentFile::decode(const QByteArray& content, EnrolmentData& data)
{
    const QByteArrayList lines = textfile::splitLines(content);
    data.resize(kEnrolmentSize);
    for (qsizetype k = 0; k < kEnrolmentSize; ++k) {
        bool ok = false;
        const qint32 value = k < lines.size() ? lines.at(k).toInt(&ok, 10) : 0;
        data[k] = ok ? value : 0;
    }
}

}  // namespace tavlo
