#include "cli/CommandLine.h"
#include "cli_processes.h"
#include "codeplug/CodeplugDiff.h"
#include "codeplug/CodeplugFile.h"
#include "codeplug/CodeplugModel.h"
#include "codeplug/RadioImage.h"
#include "emulator/SampleCodeplug.h"
#include "support/PdfText.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

namespace lt::test {
namespace {

RadioImage MemoryFile(const QString& path)
{
    RadioImage image;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.read(RadioImage::kSize);
        std::copy(bytes.begin(), bytes.end(), image.bytes.begin());
    }
    return image;
}

// The real lt4402-cli and three real lt4402-emu processes, each radio keeping
// its memory in a file, the second one answering a reply with a wrong tag.
class WriteAllEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        for (std::size_t i = 0; i < radios.size(); ++i) {
            QStringList options{QStringLiteral("--sample"), QStringLiteral("--memory"), memory(i)};
            if (i == 1)
                options << QStringLiteral("--wrong-tag") << QStringLiteral("5");
            const QString address = radios[i].start(options);
            ASSERT_FALSE(address.isEmpty()) << "emulator " << i;
            addresses << address;
        }
        CodeplugModel club;
        club.SetCodeplugDefaults();
        FillSampleCodeplug(club);
        club.set(cp::TOT, 60);
        club.channel(9).setChName("CLUB-9");
        club.SetChannelUsed(200, false);
        ASSERT_TRUE(SaveCodeplugFile(dir.filePath(QStringLiteral("club.kvf")), club).isEmpty());
        sent = ImageToWrite(club);
    }

    QString memory(std::size_t radio) const { return dir.filePath(QStringLiteral("radio%1.bin").arg(radio)); }
    QString virtualDevices() const { return QStringLiteral("LT4402_VIRTUAL_HID=") + addresses.join(QLatin1Char(',')); }

    QTemporaryDir dir;
    std::array<EmulatorProcess, 3> radios;
    QStringList addresses;
    RadioImage sent;
};

TEST_F(WriteAllEndToEnd, EveryRadioIsWrittenInTurnAndTheFaultyOneIsNamed)
{
    const CliResult result = RunCliProcess(QDir(dir.path()), {QStringLiteral("write"), QStringLiteral("--all"), QStringLiteral("club.kvf")},
                                           {virtualDevices()});
    EXPECT_EQ(result.status, cli_exit::NotAllRadios) << result.err.toStdString();
    const QStringList lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << result.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("tcp:%1: ok, holds the file").arg(addresses[0]));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("tcp:%1: failed: ").arg(addresses[1]))) << lines[1].toStdString();
    EXPECT_EQ(lines[2], QStringLiteral("tcp:%1: ok, holds the file").arg(addresses[2]));
    EXPECT_EQ(lines[3], QStringLiteral("2 of 3 radio(s) hold the file"));
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("data/lt4402/backups"))).entryList(QDir::Files).size(), 2);

    for (EmulatorProcess& radio : radios)
        ASSERT_TRUE(radio.stop());
    RadioImage sample;
    FillSampleRadioMemory(sample);
    for (std::size_t i : {0u, 2u})
        EXPECT_TRUE(CompareRadioImages(sent, MemoryFile(memory(i))).empty()) << "radio " << i << " holds the file";
    EXPECT_TRUE(CompareRadioImages(sample, MemoryFile(memory(1))).empty()) << "the faulty radio still holds what it held";
    EXPECT_FALSE(CompareRadioImages(sent, MemoryFile(memory(1))).empty());
}

TEST_F(WriteAllEndToEnd, OneRadioByItsPathAndTheDocumentOfItsRead)
{
    const QStringList device{QStringLiteral("--device"), QStringLiteral("hid:tcp:") + addresses[2]};
    const CliResult read = RunCliProcess(QDir(dir.path()), device + QStringList{QStringLiteral("read"), QStringLiteral("radio.kvf")},
                                         {virtualDevices()});
    ASSERT_EQ(read.status, cli_exit::Success) << read.err.toStdString();

    const CliResult diff = RunCliProcess(QDir(dir.path()), {QStringLiteral("diff"), QStringLiteral("radio.kvf"), QStringLiteral("club.kvf")});
    EXPECT_EQ(diff.status, cli_exit::Differs);
    EXPECT_TRUE(diff.out.contains(QStringLiteral("TOT: radio.kvf 180, club.kvf 60"))) << diff.out.toStdString();

    const CliResult pdf = RunCliProcess(QDir(dir.path()), {QStringLiteral("export-pdf"), QStringLiteral("radio.kvf"), QStringLiteral("radio.pdf")});
    ASSERT_EQ(pdf.status, cli_exit::Success) << pdf.err.toStdString();
    EXPECT_EQ(PdfPages(dir.filePath(QStringLiteral("radio.pdf"))), 2);
    EXPECT_TRUE(PdfText(dir.filePath(QStringLiteral("radio.pdf"))).contains(QStringLiteral("radio.kvf")));
}

} // namespace
} // namespace lt::test
