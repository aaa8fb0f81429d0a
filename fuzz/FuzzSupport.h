#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

// What every fuzz target shares. A target feeds one input to the program's
// own entry point and then checks the properties the result must have; a
// property that does not hold stops the run like a crash, so libFuzzer keeps
// the input that broke it.
namespace lt::fuzz {

[[noreturn]] inline void Broken(const char* property, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, property);
    std::abort();
}

#define LT_FUZZ_CHECK(property) \
    ((property) ? static_cast<void>(0) : ::lt::fuzz::Broken(#property, __FILE__, __LINE__))

// The Qt application object, for the targets that need the codecs, sockets
// or an event loop; made on first use and kept for the whole run.
inline QCoreApplication& Application()
{
    static int argc = 1;
    static char name[] = "lt4402-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? QCoreApplication::instance() : new QCoreApplication(argc, argv);
    return *app;
}

// A file in a folder of the run's own that holds exactly the input, for the
// entry points that read files by name. Each call rewrites it.
inline QString FileHolding(std::span<const uint8_t> bytes, const QString& name = QStringLiteral("input"))
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        Broken("the input can be written to a file", __FILE__, __LINE__);
    return path;
}

inline QByteArray Bytes(std::span<const uint8_t> bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

} // namespace lt::fuzz
