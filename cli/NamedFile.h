#pragma once

#include <QByteArray>
#include <QString>

namespace lt {

// A file named on the command line, by the bytes the system handed over. Qt
// takes file names as text, and a name that is not valid in the system's
// encoding would change on the way (its stray bytes become U+FFFD), so a
// script's "out\xFF.kvf" would write or look for another file. These calls
// use the bytes themselves: the file named is the file used.
class NamedFile {
public:
    explicit NamedFile(QByteArray name) : name_(std::move(name)) {}

    // The name in messages.
    QString shown() const;
    bool exists() const;

    struct Contents {
        QByteArray bytes; // the whole file, unless it is larger than the limit
        qint64 size = 0;
        QString error;    // why it could not be read; empty when it was
    };
    // Reads a regular file of at most maxSize bytes. A FIFO, a device or a
    // folder is refused without being read, so nothing blocks or grows
    // without end; a larger file gives its size and no bytes.
    Contents read(qint64 maxSize) const;

    // Replaces the file (the one a symbolic link points to) by way of a new
    // file beside it, so a failed write leaves what was there intact. Empty
    // on success, otherwise why not (without the name).
    QString write(const QByteArray& bytes) const;

private:
    QByteArray name_;
};

} // namespace lt
