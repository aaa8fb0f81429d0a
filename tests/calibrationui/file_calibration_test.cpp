#include "editor_fixture.h"

#include "calibration/CalibrationFile.h"
#include "support/ModalScript.h"

#include <QFile>
#include <QTemporaryDir>

namespace lt::test {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray Stored(const CalibrationData& data)
{
    return QByteArray(reinterpret_cast<const char*>(data.bytes().data()), static_cast<qsizetype>(data.bytes().size()));
}

class CalibrationFileTest : public EditorTest {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(CalibrationFileTest, SavingRightAfterStartWritesTheDefaults)
{
    ModalScript modal;
    modal.saveFile(path("start.kvfa"));
    button("bSave")->click();

    const QByteArray bytes = ReadAll(path("start.kvfa"));
    ASSERT_EQ(bytes.size(), 638);
    EXPECT_EQ(bytes.mid(0x0BE, 2), QByteArray("\x14\x00", 2));
    EXPECT_EQ(bytes.mid(0x262, 4), QByteArray("\x00\x84\xD7\x17", 4));
    EXPECT_EQ(bytes, Stored(CalibrationData()));

    ASSERT_EQ(modal.fileRequests.size(), 1u);
    EXPECT_EQ(modal.fileRequests[0].title, QStringLiteral("Save"));
    EXPECT_EQ(modal.fileRequests[0].filter, QStringLiteral("Korvo File(*.kvfa)|*.kvfa"));
    EXPECT_EQ(modal.fileRequests[0].defaultSuffix, QStringLiteral("kvfa"));
    EXPECT_TRUE(modal.errors.isEmpty());
}

TEST_F(CalibrationFileTest, SaveAndOpenGiveTheSameBytesBack)
{
    auto bytes = calibration().bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 31 + 7);
    const CalibrationData saved = calibration();

    ModalScript modal;
    modal.saveFile(path("trip.kvfa")).openFile(path("trip.kvfa"));
    button("bSave")->click();
    calibration().SetCalibrationDefaults();
    dialog->ShowCalibrationData();
    button("bOpen")->click();

    EXPECT_EQ(calibration(), saved);
    EXPECT_EQ(ReadAll(path("trip.kvfa")), Stored(saved));
    EXPECT_EQ(edit("ePinPian_W")->text(), QString::number(saved.get(cal::PinPian_W)));
    ASSERT_EQ(modal.fileRequests.size(), 2u);
    EXPECT_EQ(modal.fileRequests[1].title, QStringLiteral("Open"));
    EXPECT_EQ(modal.fileRequests[1].filter, QStringLiteral("Korvo File(*.kvfa)|*.kvfa"));
}

TEST_F(CalibrationFileTest, AShortFileIsRefusedByNameAndSize)
{
    WriteAll(path("short.kvfa"), QByteArray(637, '\x11'));
    calibration().set(cal::PinPian_W, 44);
    const CalibrationData before = calibration();

    ModalScript modal;
    modal.openFile(path("short.kvfa"));
    button("bOpen")->click();

    EXPECT_EQ(calibration(), before);
    ASSERT_EQ(modal.errors.size(), 1);
    EXPECT_TRUE(modal.errors[0].contains(QStringLiteral("short.kvfa")));
    EXPECT_TRUE(modal.errors[0].contains(QStringLiteral("637")));
}

TEST_F(CalibrationFileTest, ALongerFileGivesItsFirstBytes)
{
    QByteArray content(700, '\0');
    for (int i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i % 251);
    WriteAll(path("long.kvfa"), content);

    ModalScript modal;
    modal.openFile(path("long.kvfa"));
    button("bOpen")->click();

    EXPECT_EQ(Stored(calibration()), content.left(638));
    EXPECT_TRUE(modal.errors.isEmpty());
}

TEST_F(CalibrationFileTest, CancelledDialogsAndMissingFilesChangeNothing)
{
    calibration().set(cal::PinPian_W, 44);
    const CalibrationData before = calibration();

    ModalScript modal;
    modal.openFile(QString()).saveFile(QString()).openFile(path("missing.kvfa"));
    button("bOpen")->click();
    button("bSave")->click();
    button("bOpen")->click();

    EXPECT_EQ(calibration(), before);
    EXPECT_TRUE(modal.errors.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(CalibrationFileTest, AFailedSaveIsReportedAndKeepsTheOldFile)
{
    WriteAll(path("old.kvfa"), QByteArray("old"));
    const QString unwritable = path("no/such/folder/new.kvfa");
    EXPECT_FALSE(SaveCalibrationFile(unwritable, calibration()).isEmpty());

    ModalScript modal;
    modal.saveFile(unwritable);
    button("bSave")->click();
    ASSERT_EQ(modal.errors.size(), 1);
    EXPECT_TRUE(modal.errors[0].contains(QStringLiteral("new.kvfa")));
    EXPECT_EQ(ReadAll(path("old.kvfa")), QByteArray("old"));
}

TEST_F(CalibrationFileTest, RefusalsAndFailedSavesAreReportedInTheInterfaceLanguage)
{
    AppLang().fSetLangType(2);
    WriteAll(path("short.kvfa"), QByteArray(10, '\x11'));
    const QString unwritable = path("no/such/folder/new.kvfa");
    ModalScript modal;
    modal.openFile(path("short.kvfa")).saveFile(unwritable);
    button("bOpen")->click();
    button("bSave")->click();
    ASSERT_EQ(modal.errors.size(), 2);
    EXPECT_EQ(modal.errors[0], QDir::toNativeSeparators(path("short.kvfa")) + QStringLiteral(" 只有 10 字节，校准文件应有 638 字节。文件未打开。"));
    EXPECT_TRUE(modal.errors[1].startsWith(QStringLiteral("无法保存 ") + QDir::toNativeSeparators(unwritable) + QStringLiteral("：")))
        << modal.errors[1].toStdString();
    AppLang().fSetLangType(1);
}

} // namespace
} // namespace lt::test
