#include "cli_rig.h"

#include "codeplug/Backups.h"
#include "codeplug/CodeplugDiff.h"
#include "codeplug/RadioImageLayout.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

// Blocks of a codeplug read of a radio with every channel in use: the map,
// the frequency-mode area, the settings area and 240 channel slots.
constexpr int kFullReadBlocks = 2 + 6 + 11 + cp::kChannelCount;
// Every run reads the two password blocks first.
constexpr int kPasswordBlocks = 2;

CodeplugModel OneChannelModel()
{
    CodeplugModel model;
    model.SetCodeplugDefaults();
    model.channel(3).setRxFreq(438500000);
    model.StringGridAutoFullRow(3);
    model.SetChannelUsed(3, true);
    model.set(cp::SQL, 2);
    return model;
}

TEST(CliWriteBackup, ARadioThatDiesMidWriteCanBeRestoredFromTheBackup)
{
    CliRig rig;
    rig.loadRadio(SampleModel());
    const std::array<uint8_t, RadioEmulator::kMemorySize> before = rig.emulator.memory;
    ASSERT_TRUE(SaveCodeplugFile(rig.path("new.kvf"), OneChannelModel()).isEmpty());
    // The radio goes away in the middle of the write, after the backup read.
    // One channel record and the first half of the map get through.
    rig.emulator.faults.disconnectAfterBlocks = kPasswordBlocks + kFullReadBlocks + kPasswordBlocks + 2;

    EXPECT_EQ(rig.run({QStringLiteral("write"), rig.path("new.kvf")}), cli_exit::Communication);
    ASSERT_NE(rig.emulator.memory, before) << "the write must have changed the radio partly";
    const QStringList backups = rig.backups();
    ASSERT_EQ(backups.size(), 1);

    // Plugged in again, the backup written back gives the radio its old
    // codeplug: every byte but the programming time.
    rig.emulator.faults = {};
    const QString backup = QDir(rig.host.backupFolder).filePath(backups[0]);
    ASSERT_EQ(rig.run({QStringLiteral("--no-backup"), QStringLiteral("write"), backup}), cli_exit::Success) << rig.err.toStdString();
    for (std::size_t a = 0; a < before.size(); ++a) {
        if (a >= ri::WriteTime.address && a < ri::WriteTime.end())
            continue;
        ASSERT_EQ(rig.emulator.memory[a], before[a]) << "address 0x" << std::hex << a;
    }
}

TEST(CliWriteBackup, AFailedBackupReadStopsTheWrite)
{
    CliRig rig;
    rig.loadRadio(SampleModel());
    const std::array<uint8_t, RadioEmulator::kMemorySize> before = rig.emulator.memory;
    ASSERT_TRUE(SaveCodeplugFile(rig.path("new.kvf"), OneChannelModel()).isEmpty());
    rig.emulator.faults.silenceAfterBlocks = 10;

    EXPECT_EQ(rig.run({QStringLiteral("write"), rig.path("new.kvf")}), cli_exit::Communication);
    EXPECT_TRUE(rig.reason().contains(QStringLiteral("backup read"))) << rig.reason().toStdString();
    EXPECT_EQ(rig.emulator.memory, before);
    EXPECT_TRUE(rig.backups().isEmpty());
}

TEST(Backups, TheFolderKeepsOnlyTheNewestTwenty)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("backups"));
    const CodeplugModel model = OneChannelModel();
    const QDateTime start(QDate(2026, 12, 10), QTime(9, 0));
    QStringList written;
    for (int i = 0; i < kKeptBackups + 5; ++i) {
        written << QFileInfo(KeepReadBackup(model, folder, start.addSecs(60 * i))).fileName();
        ASSERT_FALSE(written.last().isEmpty());
        ASSERT_LE(QDir(folder).entryList(QDir::Files).size(), kKeptBackups);
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), written.mid(5));
}

TEST(Backups, BackupsOfTheSameMomentAreAllKept)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("backups"));
    const QDateTime now(QDate(2026, 12, 10), QTime(9, 0));
    CodeplugModel model = OneChannelModel();
    QStringList written;
    for (uint32_t sql : {1u, 2u, 3u}) {
        model.set(cp::SQL, sql);
        written << KeepReadBackup(model, folder, now);
    }
    ASSERT_EQ(QDir(folder).entryList(QDir::Files).size(), 3);
    // In the order they were made, each with its own contents.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), (QStringList{QFileInfo(written[0]).fileName(), QFileInfo(written[1]).fileName(), QFileInfo(written[2]).fileName()}));
    EXPECT_EQ(LoadModel(written[2]).get(cp::SQL), 3u);
}

TEST(Backups, ModelFromRadioTakesNothingFromTheProgramsCodeplug)
{
    CodeplugModel program = SampleModel();
    program.set(cp::WriteWithNewPD, 1);
    program.setText(cp::NewPassword, "9999");
    RadioImage image;
    GetDataForWrite(program, image);

    const CodeplugModel fromRadio = ModelFromRadio(image);
    EXPECT_EQ(fromRadio.get(cp::WriteWithNewPD), 0u);
    EXPECT_TRUE(fromRadio.text(cp::NewPassword).isEmpty());
    EXPECT_TRUE(CompareRadioImages(ImageToWrite(fromRadio), image).empty());
}

} // namespace
} // namespace lt::test
