#pragma once

#include "terminal/EnrolmentData.h"

#include <QByteArray>
#include <QString>

namespace tavlo {

class ProgramContext;

// The file in which the PC keeps one enrolment of one user, copied from a
// terminal: "Data/Parmak-<personnel number>-<enrolment number>.Piz" in the
// application folder, 354 lines of one signed decimal integer each, every
// line ended by CR LF.
class EnrolmentFile {
public:
    static constexpr auto kNameFormat = "Data/Parmak-%1-%2.Piz";

    EnrolmentFile(const ProgramContext& context, qint32 personnelNo, qint32 enrolmentNo);

    const QString& path() const { return path_; }
    bool exists() const;

    // Replaces the file whole, through a temporary file beside it, so that a
    // failed write leaves the old file as it was. Elements past the end of a
    // short array are written as 0. A file that cannot be written raises an
    // Error naming it.
    void write(const EnrolmentData& data) const;
    // Overwrites all 354 elements of `data` from the file by the reading
    // rule of decode(). A file that cannot be read raises an Error naming it.
    void read(EnrolmentData& data) const;

    // The file's bytes for an enrolment.
    static QByteArray encode(const EnrolmentData& data);
    // Line k of the text gives element k; a missing or empty line, or one
    // that is not a decimal integer in the 32-bit range, gives 0. Lines end
    // at CR LF, a lone CR or a lone LF; lines after the 354th are ignored.
    static void decode(const QByteArray& content, EnrolmentData& data);

private:
    QString path_;
};

}  // namespace tavlo
