#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace tavlo::textfile {

// The whole content of a file. A file that cannot be opened raises
// Error("Cannot open file \"<path>\". <reason>").
QByteArray readAll(const QString& path);

// Replaces the file's content so that it is never left torn: the bytes go to
// a temporary file in the same folder, are flushed to disk, and the temporary
// file is renamed over the old one. In a folder that refuses new files the
// file is written in place instead: room for the new content is taken first,
// so that a full disk fails before the old content changes, then the bytes
// are written, the file is cut to their length and synced to the disk. A
// failure raises Error("Cannot create file \"<path>\". <reason>"), with the
// system's reason, and leaves the old file whole; only a crash in the middle
// of a write in place can leave it torn.
void writeAtomically(const QString& path, const QByteArray& content);

// Writes all of the bytes to an open file handle at its current position,
// without a buffer in between. Gives 0 when everything was written, else the
// system's error number (for qt_error_string) of the write that failed.
int writeAll(int handle, QByteArrayView bytes);

// Splits text into lines. A line ends at CR LF, a lone CR or a lone LF; text
// that ends without a line break still gives its last line, and text that
// ends with one gives no empty line after it.
QByteArrayList splitLines(const QByteArray& content);

// The lines of a text file the operator may edit (a table file, the settings
// file) as Unicode. Such files hold code page 1254; a file that a text editor
// saved as UTF-8 with a byte-order mark is read as UTF-8, without the mark.
QStringList decodeLines(const QByteArray& content);

}  // namespace tavlo::textfile
