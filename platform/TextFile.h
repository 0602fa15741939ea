#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

namespace tavlo::textfile {

// The whole content of a file. A file that cannot be opened raises
// Error("Cannot open file \"<path>\". <reason>").
QByteArray readAll(const QString& path);

// Replaces the file's content so that it is never left torn: the bytes go to
// a temporary file in the same folder, are flushed to disk, and the temporary
// file is renamed over the old one. A failure raises
// Error("Cannot create file \"<path>\". <reason>") and leaves the old file
// whole.
void writeAtomically(const QString& path, const QByteArray& content);

// Splits text into lines. A line ends at CR LF, a lone CR or a lone LF; text
// that ends without a line break still gives its last line, and text that
// ends with one gives no empty line after it.
QByteArrayList splitLines(const QByteArray& content);

}  // namespace tavlo::textfile
