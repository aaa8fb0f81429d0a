#include "codeplug/CodeplugFile.h"
#include "codeplug/CodeplugModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace lt;

namespace {

QByteArray blockOf(const CodeplugModel& m)
{
    return QByteArray(reinterpret_cast<const char*>(m.block().data()), static_cast<qsizetype>(m.block().size()));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

CodeplugModel patterned()
{
    CodeplugModel m;
    auto block = m.block();
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(i * 7 + 3);
    return m;
}

} // namespace

TEST(CodeplugFile, SaveThenOpenIsByteIdenticalIncludingClearedChannels)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.Kvf"));
    CodeplugModel original;
    original.SetChannelUsed(5, true);
    original.channel(5).setRxFreq(145500000);
    original.channel(5).setChName(QByteArrayLiteral("OLD"));
    original.SetChannelUsed(5, false); // cleared: only the bit goes
    ASSERT_EQ(SaveCodeplugFile(path, original), QString());
    EXPECT_EQ(QFile(path).size(), 20092);

    CodeplugModel loaded = patterned();
    ASSERT_TRUE(LoadCodeplugFile(path, loaded));
    EXPECT_EQ(blockOf(loaded), blockOf(original));
    EXPECT_FALSE(loaded.IsChannelUsed(5));
    EXPECT_EQ(loaded.channel(5).ChName(), QByteArray("OLD"));
}

TEST(CodeplugFile, ShortEmptyAndLongFilesReadOverTheStartOfTheBlock)
{
    QTemporaryDir dir;
    const CodeplugModel before = patterned();
    const struct {
        const char* name;
        int size;
    } cases[] = {{"empty", 0}, {"short", 1000}, {"exact", 20092}, {"long", 30000}};
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        writeFile(path, QByteArray(c.size, '\x5A'));
        CodeplugModel model = before;
        ASSERT_TRUE(LoadCodeplugFile(path, model)) << c.name;
        const QByteArray after = blockOf(model);
        const int replaced = std::min(c.size, 20092);
        EXPECT_EQ(after.left(replaced), QByteArray(replaced, '\x5A')) << c.name;
        EXPECT_EQ(after.mid(replaced), blockOf(before).mid(replaced)) << c.name;
    }
}

TEST(CodeplugFile, AMissingFileLeavesTheModelAlone)
{
    CodeplugModel model = patterned();
    EXPECT_FALSE(LoadCodeplugFile(QStringLiteral("/nonexistent/x.Kvf"), model));
    EXPECT_EQ(blockOf(model), blockOf(patterned()));
}

TEST(CodeplugFile, AFailedSaveLeavesTheOldFileIntact)
{
    QTemporaryDir dir;
    // A file whose name uses the longest name the file system allows: the
    // new contents cannot be staged beside it, so the save fails, and the
    // old file must come out of that untouched.
    const QString path = dir.filePath(QString(251, QLatin1Char('k')) + QStringLiteral(".Kvf"));
    const QByteArray old(20092, '\x11');
    writeFile(path, old);
    ASSERT_EQ(QFile(path).size(), 20092);

    CodeplugModel model;
    EXPECT_FALSE(SaveCodeplugFile(path, model).isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no staging file is left behind";
}

TEST(CodeplugFile, ASaveOverADirectoryFailsAndReportsWhy)
{
    QTemporaryDir dir;
    EXPECT_FALSE(SaveCodeplugFile(dir.path(), CodeplugModel{}).isEmpty());
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}
