#include "cli_rig.h"

#include "codeplug/CodeplugDiff.h"
#include "hid/HidBackendFactory.h"
#include "program/ConfigFile.h"
#include "program/ProgramSettings.h"
#include "support/PdfText.h"
#include "ui/AppLang.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace lt::test {
namespace {

class CliDiff : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = SampleModel();
        b = a;
        b.set(cp::SQL, 7);
        b.channel(12).setChInfor_Pow(b.channel(12).ChInfor_Pow() ^ 1);
        ASSERT_TRUE(SaveCodeplugFile(rig.path("a.kvf"), a).isEmpty());
        ASSERT_TRUE(SaveCodeplugFile(rig.path("b.kvf"), b).isEmpty());
    }

    CliRig rig;
    CodeplugModel a, b;
};

TEST_F(CliDiff, EqualFilesSaySoAndEndWithSuccess)
{
    EXPECT_EQ(rig.run({QStringLiteral("diff"), rig.path("a.kvf"), rig.path("a.kvf")}), cli_exit::Success) << rig.err.toStdString();
    EXPECT_TRUE(rig.out.endsWith(QStringLiteral(" hold the same codeplug\n"))) << rig.out.toStdString();
}

TEST_F(CliDiff, EveryDifferenceIsALineWithBothValuesAndTheStatusSaysDiffers)
{
    EXPECT_EQ(rig.run({QStringLiteral("diff"), rig.path("a.kvf"), rig.path("b.kvf")}), cli_exit::Differs);
    const QString pow = QString::number(a.channel(12).ChInfor_Pow());
    const QString otherPow = QString::number(b.channel(12).ChInfor_Pow());
    EXPECT_EQ(rig.out, QStringLiteral("channel 12 ChInfor_Pow: %1 %2, %3 %4\nSQL: %1 5, %3 7\n")
                           .arg(rig.path("a.kvf"), pow, rig.path("b.kvf"), otherPow));
    EXPECT_EQ(rig.reason(), QStringLiteral("lt4402-cli: the codeplug files differ in 2 field(s)"));
}

TEST_F(CliDiff, JsonListsTheDifferencesForMachines)
{
    EXPECT_EQ(rig.run({QStringLiteral("--json"), QStringLiteral("diff"), rig.path("a.kvf"), rig.path("b.kvf")}), cli_exit::Differs);
    const QJsonObject json = QJsonDocument::fromJson(rig.out.toUtf8()).object();
    EXPECT_EQ(json[QStringLiteral("a")].toString(), rig.path("a.kvf"));
    const QJsonArray differences = json[QStringLiteral("differences")].toArray();
    ASSERT_EQ(differences.size(), 2);
    EXPECT_EQ(differences[1].toObject(), (QJsonObject{{QStringLiteral("field"), QStringLiteral("SQL")},
                                                      {QStringLiteral("a"), QStringLiteral("5")},
                                                      {QStringLiteral("b"), QStringLiteral("7")}}));
}

TEST_F(CliDiff, AFileThatIsNotACodeplugIsRefused)
{
    QFile shortFile(rig.path("short.kvf"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(100, '\0'));
    shortFile.close();
    EXPECT_EQ(rig.run({QStringLiteral("diff"), rig.path("a.kvf"), rig.path("short.kvf")}), cli_exit::Failed);
    EXPECT_TRUE(rig.reason().contains(QStringLiteral("is not a codeplug file")));
    EXPECT_EQ(rig.run({QStringLiteral("diff"), rig.path("a.kvf")}), cli_exit::Usage);
}

TEST(CliExportPdf, WritesTheSampleOnTwoPagesInTheConfiguredLanguage)
{
    const struct {
        std::optional<int> language; // none: no configuration file
        const char* header;
    } cases[] = {{std::nullopt, "接收频率"}, {0, "RX Freq."}, {2, "接收頻率"}};
    for (const auto& c : cases) {
        CliRig rig;
        if (c.language) {
            ProgramSettings settings;
            settings.Language = *c.language;
            WriteConfigFile(rig.host.configPath, settings, BandLimits{});
        }
        ASSERT_TRUE(SaveCodeplugFile(rig.path("sample.kvf"), SampleModel()).isEmpty());
        ASSERT_EQ(rig.run({QStringLiteral("export-pdf"), rig.path("sample.kvf"), rig.path("sample.pdf")}), cli_exit::Success)
            << rig.err.toStdString();
        EXPECT_EQ(rig.out, QStringLiteral("exported 240 channel(s) on 2 page(s) to %1\n").arg(rig.path("sample.pdf")));
        const QString text = PdfText(rig.path("sample.pdf"), 1);
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.header))) << c.header;
        EXPECT_TRUE(text.contains(QStringLiteral("sample.kvf")));
    }
    AppLang().fSetDetectType();
}

TEST(CliExportPdf, AnUnwritablePlaceFailsWithAReason)
{
    CliRig rig;
    ASSERT_TRUE(SaveCodeplugFile(rig.path("sample.kvf"), SampleModel()).isEmpty());
    EXPECT_EQ(rig.run({QStringLiteral("export-pdf"), rig.path("sample.kvf"), rig.path("no/such/folder/out.pdf")}), cli_exit::Failed);
    EXPECT_TRUE(rig.reason().startsWith(QStringLiteral("lt4402-cli: cannot save "))) << rig.reason().toStdString();
    AppLang().fSetDetectType();
}

TEST(CliDevice, HidTakesAPath)
{
    CliRig rig;
    EXPECT_EQ(rig.run({QStringLiteral("--device"), QStringLiteral("hid:"), QStringLiteral("detect")}), cli_exit::Usage);
    EXPECT_EQ(rig.reason(), QStringLiteral("lt4402-cli: --device takes tcp:HOST:PORT or hid:PATH, not 'hid:'"));
    EXPECT_EQ(rig.run({QStringLiteral("--device"), QStringLiteral("usb:1"), QStringLiteral("detect")}), cli_exit::Usage);
}

// Three radios on a desk, in process on a virtual clock: the tool's own HID
// service lists all three, "hid:PATH" narrows it to one of them.
struct ThreeRadios {
    CliRig rig;
    std::array<RadioEmulator, 3> emulators;
    QStringList paths{QStringLiteral("/dev/hidraw4"), QStringLiteral("/dev/hidraw5"), QStringLiteral("/dev/hidraw6")};

    ThreeRadios()
    {
        rig.host.makeBackend = [this](const QString& device, QString*) -> std::unique_ptr<HidBackend> {
            std::vector<std::unique_ptr<HidBackend>> radios;
            for (std::size_t i = 0; i < emulators.size(); ++i) {
                auto radio = std::make_unique<LoopbackHidBackend>(emulators[i], rig.clock);
                radio->info.path = paths[static_cast<qsizetype>(i)];
                radios.push_back(std::move(radio));
            }
            auto all = std::make_unique<CompositeHidBackend>(std::move(radios));
            if (device.isEmpty())
                return all;
            return std::make_unique<SingleDeviceBackend>(std::move(all), device.mid(4));
        };
        CodeplugModel sample = SampleModel();
        for (RadioEmulator& emulator : emulators) {
            RadioImage image;
            GetDataForWrite(sample, image);
            std::copy(image.bytes.begin(), image.bytes.end(), emulator.memory.begin());
        }
    }
};

TEST(CliWriteAll, WritesAndChecksEveryRadioAndOneFailureStopsNoOther)
{
    ThreeRadios desk;
    CodeplugModel changed = SampleModel();
    changed.set(cp::TOT, 60);
    changed.channel(5).setChName("DEALER");
    ASSERT_TRUE(SaveCodeplugFile(desk.rig.path("club.kvf"), changed).isEmpty());
    const RadioImage before = EmulatorImage(desk.emulators[1]);
    desk.emulators[1].faults.wrongTagReply = 5;

    EXPECT_EQ(desk.rig.run({QStringLiteral("write"), QStringLiteral("--all"), desk.rig.path("club.kvf")}), cli_exit::NotAllRadios);

    const QStringList lines = desk.rig.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << desk.rig.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("/dev/hidraw4: ok, holds the file"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("/dev/hidraw5: failed: backup read: communication failure"))) << lines[1].toStdString();
    EXPECT_EQ(lines[2], QStringLiteral("/dev/hidraw6: ok, holds the file"));
    EXPECT_EQ(lines[3], QStringLiteral("2 of 3 radio(s) hold the file"));
    for (std::size_t holding : {0u, 2u})
        EXPECT_TRUE(CompareRadioImages(ImageToWrite(changed), EmulatorImage(desk.emulators[holding])).empty()) << holding;
    EXPECT_EQ(EmulatorImage(desk.emulators[1]).bytes, before.bytes) << "the failed radio was not written";
    EXPECT_EQ(desk.rig.backups().size(), 2) << "a backup of each radio read before its write";
}

TEST(CliWriteAll, EveryRadioHoldingTheFileIsSuccessAndNoRadioIsSaid)
{
    ThreeRadios desk;
    ASSERT_TRUE(SaveCodeplugFile(desk.rig.path("club.kvf"), SampleModel()).isEmpty());
    EXPECT_EQ(desk.rig.run({QStringLiteral("--no-backup"), QStringLiteral("write"), QStringLiteral("--all"), desk.rig.path("club.kvf")}),
              cli_exit::Success)
        << desk.rig.err.toStdString();
    EXPECT_TRUE(desk.rig.out.endsWith(QStringLiteral("3 of 3 radio(s) hold the file\n")));
    EXPECT_TRUE(desk.rig.backups().isEmpty());

    CliRig alone;
    alone.radioAttached = false;
    ASSERT_TRUE(SaveCodeplugFile(alone.path("club.kvf"), SampleModel()).isEmpty());
    EXPECT_EQ(alone.run({QStringLiteral("write"), QStringLiteral("--all"), alone.path("club.kvf")}), cli_exit::NoRadio);
    EXPECT_EQ(alone.reason(), QStringLiteral("lt4402-cli: write --all: no radio found"));
}

} // namespace
} // namespace lt::test
