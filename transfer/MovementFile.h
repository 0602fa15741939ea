#pragma once

#include <QString>

namespace tavlo {

class MovementLines;

// A text file of movement lines that only grows: the movement file or a
// daily backup file. Its content is never read into memory; what a run
// needs of it is whether it ends with a line break, so that lines added to
// a file whose last line has no break keep it that way.
class MovementFile {
public:
    explicit MovementFile(QString path);

    const QString& path() const { return path_; }

    // Prepares the file for a run. An existing file is read once; when a
    // line break in it is not CR LF, the file is rewritten with every break
    // made CR LF, through a temporary file and a rename. A missing file is
    // created empty; a failure to create it is ignored here and shows when
    // lines are added. A file that exists but cannot be read raises Error.
    void load();

    // Adds the lines at the end (each ended by CR LF, or each begun by one
    // when the file's last line has no break), flushed to the disk before it
    // returns. A failure raises Error and cuts the file back to its size
    // before the call.
    void append(const MovementLines& lines);

    // The file's size now; cutBack returns it to an earlier size.
    qint64 size() const { return size_; }
    void cutBack(qint64 size);

    bool endsWithLineBreak() const { return endsWithBreak_; }

private:
    void rewriteWithCrLf();

    QString path_;
    qint64 size_ = 0;
    bool endsWithBreak_ = true;  // an empty file counts as ending with one
};

}  // namespace tavlo
