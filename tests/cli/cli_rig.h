#pragma once

#include "cli/CommandLine.h"
#include "codeplug/CodeplugFile.h"
#include "codeplug/CodeplugModel.h"
#include "codeplug/RadioImagePacking.h"
#include "emulator/LoopbackHidBackend.h"
#include "emulator/RadioEmulator.h"
#include "emulator/SampleCodeplug.h"
#include "hid/TransferClock.h"
#include "program/Program.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <algorithm>

#include <dirent.h>
#include <unistd.h>

namespace lt::test {

// The names in a folder as bytes: QDir leaves out names that are no valid
// text.
inline QList<QByteArray> NamesAsBytes(const QString& folder)
{
    QList<QByteArray> names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    while (const dirent* entry = dir ? ::readdir(dir) : nullptr) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    if (dir)
        ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// Removes the files whose names are no valid text, which QTemporaryDir
// cannot remove.
inline void RemoveNamesThatAreNoText(const QString& folder)
{
    for (const QByteArray& name : NamesAsBytes(folder))
        if (QFile::encodeName(QFile::decodeName(name)) != name)
            ::unlink((QFile::encodeName(folder) + '/' + name).constData());
}

// lt4402-cli run in-process against a radio emulator on a virtual clock, with
// its files, configuration and backups in a temporary folder.
struct CliRig {
    QTemporaryDir dir;
    VirtualClock clock;
    RadioEmulator emulator;
    bool radioAttached = true;
    CommandLineHost host;
    QString out;
    QString err;

    // A radio would have ignored what the emulator refused, so a refusal is a
    // fault of the tool even when the test's own checks pass.
    ~CliRig()
    {
        EXPECT_TRUE(emulator.refusals().isEmpty()) << emulator.refusals().join(QLatin1Char('\n')).toStdString();
        RemoveNamesThatAreNoText(dir.path());
    }

    CliRig()
    {
        host.makeBackend = [this](const QString&, QString*) -> std::unique_ptr<HidBackend> {
            auto backend = std::make_unique<LoopbackHidBackend>(emulator, clock);
            backend->setAttached(radioAttached);
            return backend;
        };
        host.clock = &clock;
        host.wait = VirtualClockWait(clock);
        host.configPath = path("_config.ini");
        host.backupFolder = path("backups");
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    // A path in the folder by its bytes, for names that are no valid text.
    QByteArray pathBytes(const QByteArray& name) const { return QFile::encodeName(dir.path()) + '/' + name; }

    int run(const QStringList& arguments)
    {
        QList<QByteArray> bytes;
        for (const QString& argument : arguments)
            bytes << QFile::encodeName(argument);
        return runBytes(bytes);
    }

    int runBytes(const QList<QByteArray>& arguments)
    {
        out.clear();
        err.clear();
        QTextStream o(&out);
        QTextStream e(&err);
        CommandLineIo io{o, e, false};
        return RunCommandLine(QList<QByteArray>{"lt4402-cli"} + arguments, host, io);
    }

    // The radio holds what a write of model leaves in it.
    void loadRadio(const CodeplugModel& model)
    {
        CodeplugModel copy = model;
        RadioImage image;
        GetDataForWrite(copy, image);
        std::copy(image.bytes.begin(), image.bytes.end(), emulator.memory.begin());
    }

    QStringList backups() const
    {
        return QDir(host.backupFolder).entryList({QStringLiteral("*.kvf")}, QDir::Files, QDir::Name);
    }

    // The last line written to standard error: the reason of a failure.
    QString reason() const { return err.trimmed().split(QLatin1Char('\n')).last(); }
};

// What the radio's memory holds, as an image to compare.
inline RadioImage EmulatorImage(const RadioEmulator& emulator)
{
    RadioImage image;
    std::copy(emulator.memory.begin(), emulator.memory.end(), image.bytes.begin());
    return image;
}

inline CodeplugModel SampleModel()
{
    CodeplugModel model;
    FillSampleCodeplug(model);
    return model;
}

inline CodeplugModel LoadModel(const QString& path)
{
    CodeplugModel model;
    model.SetCodeplugDefaults();
    LoadCodeplugFile(path, model);
    return model;
}

} // namespace lt::test
