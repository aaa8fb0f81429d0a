#include "cli/NamedFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lt {

namespace {

// A name taken by another file beside the target is tried again with other
// random letters, as often as this.
constexpr int kTemporaryNameAttempts = 100;

// The file a symbolic link points to, so that replacing it keeps the link;
// the name itself when it does not resolve (a new file).
QByteArray resolved(const QByteArray& name)
{
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(name.constData(), nullptr), &std::free);
    return real ? QByteArray(real.get()) : name;
}

// A new, empty file beside target, created with the permissions the user's
// umask gives new files; -1 when none could be made.
int createBeside(const QByteArray& target, QByteArray* temporary)
{
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        *temporary = target + ".lt4402-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        const int fd = ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

QString NamedFile::shown() const
{
    return QDir::toNativeSeparators(QFile::decodeName(name_));
}

bool NamedFile::exists() const
{
    struct stat info {};
    return ::stat(name_.constData(), &info) == 0;
}

NamedFile::Contents NamedFile::read(qint64 maxSize) const
{
    Contents contents;
    struct stat info {};
    if (::stat(name_.constData(), &info) != 0) {
        const int reason = errno;
        contents.error = QStringLiteral("cannot open %1: %2").arg(shown(), qt_error_string(reason));
        return contents;
    }
    if (!S_ISREG(info.st_mode)) {
        contents.error = QStringLiteral("%1 is not a regular file").arg(shown());
        return contents;
    }
    // Opened without waiting, in case the name came to stand for a FIFO after
    // the look above; what was opened is looked at once more.
    const int fd = ::open(name_.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int reason = errno;
        contents.error = QStringLiteral("cannot open %1: %2").arg(shown(), qt_error_string(reason));
        return contents;
    }
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        contents.error = QStringLiteral("%1 is not a regular file").arg(shown());
        return contents;
    }
    contents.size = info.st_size;
    if (contents.size > maxSize)
        return contents;
    // One byte more than the limit tells a file that grew since.
    contents.bytes = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError) {
        contents.error = QStringLiteral("cannot read %1: %2").arg(shown(), file.errorString());
        contents.bytes.clear();
        return contents;
    }
    contents.size = contents.bytes.size();
    if (contents.size > maxSize)
        contents.bytes.clear();
    return contents;
}

QString NamedFile::write(const QByteArray& bytes) const
{
    const QByteArray target = resolved(name_);
    struct stat info {};
    const bool replacing = ::stat(target.constData(), &info) == 0;
    if (replacing && !S_ISREG(info.st_mode))
        return QStringLiteral("not a regular file");

    QByteArray temporary;
    const int fd = createBeside(target, &temporary);
    if (fd < 0)
        return qt_error_string(errno);
    QFile file;
    file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
    QString error;
    if (file.write(bytes) != bytes.size() || !file.flush())
        error = file.errorString();
    else if (::fsync(fd) != 0 || (replacing && ::fchmod(fd, info.st_mode & 07777) != 0))
        error = qt_error_string(errno);
    file.close();
    if (error.isEmpty() && ::rename(temporary.constData(), target.constData()) != 0)
        error = qt_error_string(errno);
    if (!error.isEmpty())
        ::unlink(temporary.constData());
    return error;
}

} // namespace lt
