#pragma once

#include <QString>

#include <optional>

namespace tavlo {

// An initialisation file read and written key by key, with the behaviour the
// program's settings file has always had: sections and keys are found
// without regard to letter case, blanks around keys and values and a pair of
// matching quotes around a value are dropped when reading, and every other
// line of the file is kept as it is when a key is written. The file holds
// code page 1254 text with CR LF line ends; one that a text editor saved as
// UTF-8 with a byte-order mark is read as UTF-8, and the next write turns
// it into code page 1254.
class PrivateProfile {
public:
    explicit PrivateProfile(QString path);

    const QString& path() const { return path_; }

    // Reads are cut to this many characters, as the profile functions' buffer
    // of 2048 characters with its terminating zero leaves.
    static constexpr int kMaxTextLength = 2047;

    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    // Decimal text, or hexadecimal after "0x" or "0X"; a value that is
    // missing or not a number gives the fallback.
    qint32 readInteger(const QString& section, const QString& key, qint32 fallback) const;
    // Any number other than 0 is true.
    bool readBool(const QString& section, const QString& key, bool fallback) const;

    // Writes one key, creating the file and the section when they are
    // missing. Raises Error("Unable to write to <path>") when the file
    // cannot be written; the old file then stays whole.
    void writeString(const QString& section, const QString& key, const QString& value) const;
    void writeInteger(const QString& section, const QString& key, qint32 value) const;

    // Reading a number as the profile layer does; empty when the text is not one.
    static std::optional<qint32> parseInteger(const QString& text);

private:
    QString path_;
};

}  // namespace tavlo
