#include "app/StartUp.h"
#include "program/ConfigFile.h"
#include "program/Program.h"
#include "support/ModalScript.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace lt;

namespace {

QString readAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromLatin1(file.readAll());
}

void writeAll(const QString& path, const QString& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toLatin1());
}

class ConfigFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("_config.ini")); }
};

} // namespace

TEST_F(ConfigFileTest, FirstStartCreatesTheFileWithEveryDefault)
{
    Program program;
    program.settings.Language = 0; // whatever was there is replaced by the defaults
    program.model.SetChannelUsed(4, true);
    program.calibration.bytes()[0] = 0x77;
    LoadProgramState(program, path());
    EXPECT_FALSE(program.model.AnyChannelUsed());
    EXPECT_EQ(program.calibration, CalibrationData{});

    const QString text = readAll(path());
    QStringList expected{QStringLiteral("[config]"), QStringLiteral("Port=1"), QStringLiteral("Language=1"),
                         QStringLiteral("AutoSeachPort=1"), QStringLiteral("[control]")};
    for (int row = 0; row <= 240; ++row)
        expected << QStringLiteral("ChSG_Row%1=20").arg(row);
    const int widths[] = {35, 80, 80, 80, 80, 70, 70, 70, 80, 85, 70, 80, 80};
    for (int column = 0; column < 13; ++column)
        expected << QStringLiteral("ChSG_Col%1=%2").arg(column).arg(widths[column]);
    expected << QStringLiteral("[Band]") << QStringLiteral("U band min=400000000")
             << QStringLiteral("U band max=470000000") << QStringLiteral("V band min=136000000")
             << QStringLiteral("V band max=174000000");
    for (const char* section : {"chs", "cht", "eng"})
        expected << QStringLiteral("[%1]").arg(QLatin1String(section)) << QStringLiteral("AppName= ")
                 << QStringLiteral("Company= ");

    QStringList lines = text.split(QLatin1Char('\n'));
    lines.removeAll(QString());
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(program.settings.Language, 1);
    EXPECT_EQ(program.settings.SerialPortCount, 0);
    EXPECT_EQ(program.model.UOffsetMax, 70000000u);
    EXPECT_EQ(program.model.VOffsetMax, 38000000u);
}

TEST_F(ConfigFileTest, UserSizesLanguageAndRadioBandsSurviveTheNextStart)
{
    {
        Program first;
        LoadProgramState(first, path());
        first.settings.columnWidths[4] = 123;
        first.settings.rowHeights[7] = 31;
        first.settings.Language = 0;
        first.settings.Port = 5;
        first.model.bands.VBandMax = 176000000; // as a read from a radio would leave it
        WriteConfigFile(path(), first.settings, first.model.bands);
    }
    Program second;
    LoadProgramState(second, path());
    EXPECT_EQ(second.settings.columnWidths[4], 123);
    EXPECT_EQ(second.settings.rowHeights[7], 31);
    EXPECT_EQ(second.settings.Language, 0);
    EXPECT_EQ(second.settings.Port, 1) << "the port is forced to 1 at every start";
    EXPECT_EQ(second.model.bands.VBandMax, 176000000u);
    // The name texts written at creation stay in the file.
    EXPECT_TRUE(readAll(path()).contains(QStringLiteral("[eng]\nAppName=")));
}

TEST_F(ConfigFileTest, MissingKeysTakeDefaultsButAMissingColumnIsZeroWide)
{
    writeAll(path(), QStringLiteral("[config]\nLanguage=2\n[control]\nChSG_Col0=40\nChSG_Row3=25\n"));
    Program program;
    LoadProgramState(program, path());
    EXPECT_EQ(program.settings.Language, 2);
    EXPECT_TRUE(program.settings.AutoSeachPort);
    EXPECT_EQ(program.settings.columnWidths[0], 40);
    EXPECT_EQ(program.settings.columnWidths[3], 0);
    EXPECT_EQ(program.settings.rowHeights[3], 25);
    EXPECT_EQ(program.settings.rowHeights[4], 20);
    EXPECT_EQ(program.model.bands, BandLimits{});
}

TEST_F(ConfigFileTest, WideBandsCapTheLargestOffset)
{
    writeAll(path(), QStringLiteral("[Band]\nU band min=134000000\nU band max=520000000\n"
                                    "V band min=134000000\nV band max=174000000\n"));
    Program program;
    LoadProgramState(program, path());
    EXPECT_EQ(program.model.UOffsetMax, 99987500u);
    EXPECT_EQ(program.model.VOffsetMax, 40000000u);
    EXPECT_EQ(program.model.vfoA().RxFreq(), 134025000u) << "defaults follow the loaded limits";
}

TEST_F(ConfigFileTest, AnUnwritableFileIsReportedNotIgnored)
{
    EXPECT_THROW(WriteConfigFile(dir.filePath(QStringLiteral("missing/folder/_config.ini")), ProgramSettings{},
                                 BandLimits{}),
                 std::runtime_error);
}

TEST_F(ConfigFileTest, AFileThatCannotBeCreatedIsReportedOnceAndTheDefaultsHold)
{
    lt::test::ModalScript script;
    const QString unwritable = dir.filePath(QStringLiteral("missing/folder/_config.ini"));
    Program program;
    program.settings.Language = 0;
    program.model.bands.UBandMax = 480000000;
    EXPECT_NO_THROW(LoadProgramState(program, unwritable));
    ASSERT_EQ(script.errors.size(), 1);
    EXPECT_TRUE(script.errors[0].startsWith(QStringLiteral("无法写入配置文件 ") + QDir::toNativeSeparators(unwritable)))
        << "reported in the interface language of the defaults: " << script.errors[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(unwritable));
    EXPECT_EQ(program.settings.Language, 1);
    EXPECT_EQ(program.model.bands, BandLimits{});
    EXPECT_EQ(program.settings.SerialPortCount, 0);
    EXPECT_EQ(program.model.UOffsetMax, 70000000u);
}

TEST_F(ConfigFileTest, TheNameTextsStayOneSpaceThroughTheExitWrite)
{
    Program program;
    LoadProgramState(program, path());
    WriteConfigFile(path(), program.settings, program.model.bands);
    Program next;
    LoadProgramState(next, path());
    WriteConfigFile(path(), next.settings, next.model.bands);
    const QString text = readAll(path());
    for (const char* section : {"chs", "cht", "eng"})
        EXPECT_TRUE(text.contains(QStringLiteral("[%1]\nAppName= \nCompany= \n").arg(QLatin1String(section)))) << section;
}
