#include "cli_rig.h"

#include "calibration/CalibrationData.h"
#include "calibration/CalibrationFile.h"
#include "codeplug/CodeplugDiff.h"
#include "codeplug/PasswordRecord.h"
#include "codeplug/RadioImageLayout.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <functional>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A few channels and settings that differ from the sample codeplug.
CodeplugModel SmallModel()
{
    CodeplugModel model;
    model.SetCodeplugDefaults();
    for (int n : {1, 2, 31, 240}) {
        model.channel(n).setRxFreq(static_cast<uint32_t>(145000000 + n * 12500));
        model.StringGridAutoFullRow(n);
        model.channel(n).setChName("SMALL" + QByteArray::number(n));
        model.SetChannelUsed(n, true);
    }
    model.set(cp::SQL, 8);
    model.setText(cp::HuHao, "BG1ABC");
    return model;
}

TEST(CliRead, SavesWhatTheRadioHoldsAndKeepsABackupOfIt)
{
    CliRig rig;
    const CodeplugModel radio = SampleModel();
    rig.loadRadio(radio);

    ASSERT_EQ(rig.run({QStringLiteral("read"), rig.path("read.kvf")}), cli_exit::Success) << rig.err.toStdString();

    const CodeplugModel read = LoadModel(rig.path("read.kvf"));
    EXPECT_TRUE(CompareRadioImages(ImageToWrite(read), EmulatorImage(rig.emulator)).empty());
    EXPECT_EQ(read.UsedChannelCount(), cp::kChannelCount);
    const QStringList backups = rig.backups();
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(FileBytes(QDir(rig.host.backupFolder).filePath(backups[0])), FileBytes(rig.path("read.kvf")));
}

TEST(CliWrite, SendsTheFileAsItIsAndVerifiesItAfterwards)
{
    CliRig rig;
    rig.loadRadio(SampleModel());
    const CodeplugModel file = SmallModel();
    ASSERT_TRUE(SaveCodeplugFile(rig.path("small.kvf"), file).isEmpty());

    ASSERT_EQ(rig.run({QStringLiteral("--verify"), QStringLiteral("write"), rig.path("small.kvf")}), cli_exit::Success)
        << rig.err.toStdString();

    EXPECT_TRUE(CompareRadioImages(ImageToWrite(file), EmulatorImage(rig.emulator)).empty());
    EXPECT_TRUE(rig.out.contains(QStringLiteral("the radio holds what the codeplug file would write")));
    // The backup holds the radio as it was before the write.
    ASSERT_EQ(rig.backups().size(), 1);
    const CodeplugModel backup = LoadModel(QDir(rig.host.backupFolder).filePath(rig.backups()[0]));
    EXPECT_TRUE(CompareRadioImages(ImageToWrite(backup), ImageToWrite(SampleModel())).empty());
    // The file itself is not touched by the write.
    EXPECT_EQ(FileBytes(rig.path("small.kvf")), QByteArray(reinterpret_cast<const char*>(file.block().data()), cp::kBlockSize));
}

TEST(CliWrite, NoBackupReadsNothingBeforeWriting)
{
    CliRig rig;
    rig.loadRadio(SampleModel());
    ASSERT_TRUE(SaveCodeplugFile(rig.path("small.kvf"), SmallModel()).isEmpty());

    ASSERT_EQ(rig.run({QStringLiteral("--no-backup"), QStringLiteral("write"), rig.path("small.kvf")}), cli_exit::Success);
    EXPECT_TRUE(rig.backups().isEmpty());
}

TEST(CliWrite, WritePasswordSendsTheNewPasswordRecord)
{
    CliRig rig;
    ASSERT_TRUE(SaveCodeplugFile(rig.path("small.kvf"), SmallModel()).isEmpty());

    ASSERT_EQ(rig.run({QStringLiteral("--no-backup"), QStringLiteral("--write-password"), QStringLiteral("--new-password"),
                       QStringLiteral("2468"), QStringLiteral("write"), rig.path("small.kvf")}),
              cli_exit::Success);
    const std::span<const uint8_t, kPasswordRecordSize> record(rig.emulator.memory.data() + kPasswordRecordAddress, kPasswordRecordSize);
    EXPECT_EQ(DecodePasswordRecord(record).password, QByteArray("2468"));

    // The radio now wants it.
    EXPECT_EQ(rig.run({QStringLiteral("verify"), rig.path("small.kvf")}), cli_exit::Password);
    EXPECT_EQ(rig.run({QStringLiteral("--password"), QStringLiteral("2468"), QStringLiteral("verify"), rig.path("small.kvf")}),
              cli_exit::Success);
}

struct ChangedByte {
    int address;
    uint8_t xorMask;
    const char* field; // nullptr: the comparison skips this byte
};

class CliVerify : public ::testing::TestWithParam<ChangedByte> {};

TEST_P(CliVerify, NamesTheFieldOfAChangedByte)
{
    const ChangedByte change = GetParam();
    CliRig rig;
    const CodeplugModel file = SampleModel();
    rig.loadRadio(file);
    ASSERT_TRUE(SaveCodeplugFile(rig.path("sample.kvf"), file).isEmpty());
    rig.emulator.memory[static_cast<std::size_t>(change.address)] ^= change.xorMask;

    const int status = rig.run({QStringLiteral("verify"), rig.path("sample.kvf")});

    if (!change.field) {
        EXPECT_EQ(status, cli_exit::Success) << rig.out.toStdString();
        return;
    }
    EXPECT_EQ(status, cli_exit::Differs);
    const QStringList lines = rig.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 1) << rig.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QLatin1String(change.field) + QLatin1Char(':'))) << lines[0].toStdString();
    EXPECT_EQ(rig.reason(), QStringLiteral("lt4402-cli: the radio differs from the codeplug file in 1 field(s)"));
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, CliVerify,
    ::testing::Values(ChangedByte{ri::SQL.address, 0x01, "SQL"}, ChangedByte{ChannelSlotAddress(5), 0x01, "channel 5 RxFreq"},
                      ChangedByte{ChannelSlotAddress(7) + 13, 0x10, "channel 7 ChInfor_Bandwidth"},
                      ChangedByte{ChannelSlotAddress(240) + 17, 0x01, "channel 240 ChName"},
                      ChangedByte{ri::Fr_Offset_A.address + 1, 0x01, "Fr_Offset_A"},
                      ChangedByte{ri::PowerOnMsg2.address, 0x41, "PowerOnMsg2"},
                      ChangedByte{0x0001, 0x02, "ChannelUsedMap channel 9"},
                      ChangedByte{0xB0AC, 0x01, "byte 0xB0AC"},
                      ChangedByte{ri::WriteTime.address + 3, 0x01, nullptr},
                      ChangedByte{kPasswordRecordAddress + 5, 0x01, nullptr}));

TEST(CliVerify, JsonListsEveryDifference)
{
    CliRig rig;
    const CodeplugModel file = SampleModel();
    rig.loadRadio(file);
    ASSERT_TRUE(SaveCodeplugFile(rig.path("sample.kvf"), file).isEmpty());
    rig.emulator.memory[ri::SQL.address] = 9;
    rig.emulator.memory[ri::TOA.address] = 2;

    EXPECT_EQ(rig.run({QStringLiteral("--json"), QStringLiteral("verify"), rig.path("sample.kvf")}), cli_exit::Differs);
    const QJsonArray list = QJsonDocument::fromJson(rig.out.toUtf8()).object().value(QStringLiteral("differences")).toArray();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].toObject().value(QStringLiteral("field")).toString(), QStringLiteral("TOA"));
    EXPECT_EQ(list[1].toObject().value(QStringLiteral("field")).toString(), QStringLiteral("SQL"));
    EXPECT_EQ(list[1].toObject().value(QStringLiteral("file")).toString(), QStringLiteral("5"));
    EXPECT_EQ(list[1].toObject().value(QStringLiteral("radio")).toString(), QStringLiteral("9"));
}

TEST(CliCalibration, WritesTheFileAndReadsTheSameCalibrationBack)
{
    CliRig rig;
    CalibrationData written;
    written.SetCalibrationDefaults();
    ApcPoint point = written.apc(3);
    point.HighPower = 0x77;
    point.Freq = 150000000;
    written.setApc(3, point);
    ASSERT_TRUE(SaveCalibrationFile(rig.path("in.kvfa"), written).isEmpty());

    ASSERT_EQ(rig.run({QStringLiteral("calibration"), QStringLiteral("write"), rig.path("in.kvfa")}), cli_exit::Success)
        << rig.err.toStdString();
    const CalibrationTransmitArea sent = written.GetAdjustmentData();
    EXPECT_TRUE(std::equal(sent.begin(), sent.begin() + cal::blk::kSize, rig.emulator.memory.begin() + cal::blk::kRadioAddress));

    ASSERT_EQ(rig.run({QStringLiteral("calibration"), QStringLiteral("read"), rig.path("out.kvfa")}), cli_exit::Success);
    CalibrationData read;
    ASSERT_EQ(LoadCalibrationFile(rig.path("out.kvfa"), read), CalibrationLoad::Loaded);
    EXPECT_EQ(read.GetAdjustmentData(), sent);
    EXPECT_EQ(read.apc(3), point);
}

TEST(CliCalibration, RefusesAShortFileWithoutTouchingTheRadio)
{
    CliRig rig;
    QFile file(rig.path("short.kvfa"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100, 'x'));
    file.close();

    EXPECT_EQ(rig.run({QStringLiteral("calibration"), QStringLiteral("write"), rig.path("short.kvfa")}), cli_exit::Failed);
    EXPECT_EQ(rig.emulator.blocksHandled(), 0);
}

TEST(CliCustomerId, WritesAndReadsTheId)
{
    CliRig rig;
    ASSERT_EQ(rig.run({QStringLiteral("customer-id"), QStringLiteral("write"), QStringLiteral("77")}), cli_exit::Success);
    EXPECT_EQ(rig.emulator.memory[0x5000], 77);
    EXPECT_EQ(rig.emulator.memory[0x500F], 0xFF);

    rig.emulator.memory[0x5000] = 201;
    ASSERT_EQ(rig.run({QStringLiteral("customer-id"), QStringLiteral("read")}), cli_exit::Success);
    EXPECT_EQ(rig.out.trimmed(), QStringLiteral("201"));

    EXPECT_EQ(rig.run({QStringLiteral("customer-id"), QStringLiteral("write"), QStringLiteral("256")}), cli_exit::Usage);
    EXPECT_EQ(rig.emulator.memory[0x5000], 201);
}

TEST(CliStatus, PrintsTheRfChipValues)
{
    CliRig rig;
    rig.emulator.status = {0x9A, 0x11, 0x42, 0x13, 0, 0, 0, 0, 0, 0, 0x01, 0x02, 0, 0};

    ASSERT_EQ(rig.run({QStringLiteral("--json"), QStringLiteral("status")}), cli_exit::Success) << rig.err.toStdString();
    const QJsonObject status = QJsonDocument::fromJson(rig.out.toUtf8()).object();
    EXPECT_EQ(status.value(QStringLiteral("CurBatt")).toInt(), 0x9A);
    EXPECT_EQ(status.value(QStringLiteral("Rssi_db")).toInt(), 0x42);
    EXPECT_EQ(status.value(QStringLiteral("Offset")).toInt(), 0x0102);
}

struct FailureCase {
    const char* name;
    std::function<void(CliRig&)> arrange;
    QStringList arguments;
    int status;
    const char* reason;
};

class CliFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CliFailure, EndsWithItsStatusAndOneLineOfReason)
{
    const FailureCase& c = GetParam();
    CliRig rig;
    rig.loadRadio(SampleModel());
    c.arrange(rig);

    QStringList arguments;
    for (const QString& argument : c.arguments)
        arguments << (argument.endsWith(QLatin1String(".kvf")) ? rig.path(argument) : argument);
    EXPECT_EQ(rig.run(arguments), c.status);

    const QStringList reasons = rig.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts).filter(QRegularExpression(QStringLiteral("^lt4402-cli: ")));
    ASSERT_EQ(reasons.size(), 1) << rig.err.toStdString();
    EXPECT_TRUE(reasons[0].contains(QLatin1String(c.reason))) << reasons[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(rig.path("out.kvf")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliFailure,
    ::testing::Values(
        FailureCase{"NoRadio", [](CliRig& rig) { rig.radioAttached = false; }, {"read", "out.kvf"}, cli_exit::NoRadio, "no radio found"},
        FailureCase{"SilentRadio", [](CliRig& rig) { rig.emulator.faults.silenceAfterBlocks = 0; }, {"read", "out.kvf"},
                    cli_exit::Communication, "communication failure"},
        FailureCase{"RadioGoesQuietMidRead", [](CliRig& rig) { rig.emulator.faults.silenceAfterBlocks = 40; }, {"read", "out.kvf"},
                    cli_exit::Communication, "communication failure"},
        FailureCase{"WrongPassword", [](CliRig& rig) { rig.emulator.setPassword("1234"); },
                    {"--password", "4321", "read", "out.kvf"}, cli_exit::Password, "password error"},
        FailureCase{"UnknownVerb", [](CliRig&) {}, {"frobnicate"}, cli_exit::Usage, "unknown verb"},
        FailureCase{"BadDevice", [](CliRig&) {}, {"--device", "usb:1", "read", "out.kvf"}, cli_exit::Usage, "tcp:HOST:PORT"},
        FailureCase{"MissingFile", [](CliRig&) {}, {"write", "missing.kvf"}, cli_exit::Failed, "cannot open"},
        FailureCase{"ShortFile",
                    [](CliRig& rig) {
                        QFile file(rig.path("short.kvf"));
                        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                        file.write(QByteArray(1000, '\0'));
                    },
                    {"--no-backup", "write", "short.kvf"}, cli_exit::Failed, "is not a codeplug file"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(CliWrite, AShortFileNeverReachesTheRadio)
{
    CliRig rig;
    rig.loadRadio(SampleModel());
    const std::array<uint8_t, RadioEmulator::kMemorySize> before = rig.emulator.memory;
    QFile file(rig.path("short.kvf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(cp::kBlockSize - 1, '\0'));
    file.close();

    EXPECT_EQ(rig.run({QStringLiteral("write"), rig.path("short.kvf")}), cli_exit::Failed);
    EXPECT_EQ(rig.emulator.blocksHandled(), 0);
    EXPECT_EQ(rig.emulator.memory, before);
}

TEST(CliDump, NamesEveryFieldAndListsTheChannels)
{
    CliRig rig;
    ASSERT_TRUE(SaveCodeplugFile(rig.path("sample.kvf"), SampleModel()).isEmpty());

    ASSERT_EQ(rig.run({QStringLiteral("dump"), rig.path("sample.kvf")}), cli_exit::Success);
    for (const cp::Field& field : cp::kAllFields) {
        if (field.kind != cp::FieldKind::Reserved) {
            EXPECT_TRUE(rig.out.contains(QLatin1String(field.name) + QStringLiteral(": "))) << field.name;
        }
    }
    EXPECT_TRUE(rig.out.contains(QStringLiteral("PowerOnMsg: \"LT-4402\"")));
    EXPECT_TRUE(rig.out.contains(QStringLiteral("中继240")));

    ASSERT_EQ(rig.run({QStringLiteral("--json"), QStringLiteral("dump"), rig.path("sample.kvf")}), cli_exit::Success);
    const QJsonObject dump = QJsonDocument::fromJson(rig.out.toUtf8()).object();
    EXPECT_EQ(dump.value(QStringLiteral("fields")).toObject().value(QStringLiteral("SQL")).toInt(), 5);
    const QJsonArray channels = dump.value(QStringLiteral("channels")).toArray();
    ASSERT_EQ(channels.size(), cp::kChannelCount);
    EXPECT_EQ(channels[239].toObject().value(QStringLiteral("ChName")).toString(), QStringLiteral("中继240"));
    EXPECT_EQ(channels[0].toObject().value(QStringLiteral("RxFreq")).toInteger(), 144012500);
}

} // namespace
} // namespace lt::test
