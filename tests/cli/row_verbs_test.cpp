#include "cli_rig.h"

#include "codeplug/ChannelRows.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using namespace lt;
using lt::test::CliRig;

namespace {

using Block = std::vector<uint8_t>;

Block BytesOf(const CodeplugModel& model)
{
    return {model.block().begin(), model.block().end()};
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Block FileBlock(const QString& path)
{
    const QByteArray bytes = FileBytes(path);
    return {bytes.begin(), bytes.end()};
}

// A codeplug file of the sample codeplug with channels 150..240 out of use.
struct RowVerbRig : CliRig {
    RowVerbRig()
    {
        FillSampleCodeplug(model);
        for (int n = 150; n <= cp::kChannelCount; ++n)
            model.SetChannelUsed(n, false);
        EXPECT_TRUE(SaveCodeplugFile(file, model).isEmpty());
    }
    QString file = path(QStringLiteral("plug.kvf"));
    CodeplugModel model;
};

} // namespace

TEST(CliRowVerbs, EachVerbRewritesTheFileAsTheGridWould)
{
    const struct {
        QStringList arguments;
        QString said;
        std::function<void(CodeplugModel&)> expected;
    } cases[] = {
        {{"sort", "plug.kvf", "--by", "frequency"}, "sorted 149 channel(s) in use by frequency",
         [](CodeplugModel& m) { SortChannels(m, SortKey::Frequency); }},
        {{"sort", "plug.kvf", "--by=name"}, "sorted 149 channel(s) in use by name", [](CodeplugModel& m) { SortChannels(m, SortKey::Name); }},
        {{"move", "plug.kvf", "5", "10"}, "moved channel 5 to 10",
         [](CodeplugModel& m) {
             const ChannelSlot five = TakeChannel(m, 5);
             for (int n = 5; n < 10; ++n)
                 PutChannel(m, n, TakeChannel(m, n + 1));
             PutChannel(m, 10, five);
         }},
        {{"move", "plug.kvf", "200", "1"}, "moved channel 200 to 1",
         [](CodeplugModel& m) {
             const ChannelSlot unused = TakeChannel(m, 200);
             for (int n = 200; n > 1; --n)
                 PutChannel(m, n, TakeChannel(m, n - 1));
             PutChannel(m, 1, unused);
         }},
        {{"delete", "plug.kvf", "145-155"}, "deleted 5 channel(s) in use among 145-155",
         [](CodeplugModel& m) {
             for (int n = 145; n <= 155; ++n)
                 m.SetChannelUsed(n, false);
         }},
        {{"delete", "plug.kvf", "7"}, "deleted 1 channel(s) in use among 7-7", [](CodeplugModel& m) { m.SetChannelUsed(7, false); }},
    };
    for (const auto& c : cases) {
        RowVerbRig rig;
        QStringList arguments = c.arguments;
        arguments[1] = rig.file;
        CodeplugModel expected = rig.model;
        c.expected(expected);
        EXPECT_EQ(rig.run(arguments), cli_exit::Success) << c.arguments.join(' ').toStdString() << rig.err.toStdString();
        EXPECT_EQ(rig.out, c.said + QStringLiteral(" in ") + QDir::toNativeSeparators(rig.file) + QLatin1Char('\n'));
        EXPECT_EQ(FileBlock(rig.file), BytesOf(expected)) << c.arguments.join(' ').toStdString();
    }
}

TEST(CliRowVerbs, BadArgumentsOrABadFileLeaveTheFileAsItWas)
{
    const struct {
        QStringList arguments;
        int status;
        QString reason;
    } cases[] = {
        {{"sort", "plug.kvf"}, cli_exit::Usage, "usage: lt4402-cli [OPTIONS] sort FILE.kvf --by frequency|name"},
        {{"sort", "plug.kvf", "--by", "power"}, cli_exit::Usage, "--by takes frequency or name, not 'power'"},
        {{"move", "plug.kvf", "5"}, cli_exit::Usage, "usage: lt4402-cli [OPTIONS] move FILE.kvf FROM TO"},
        {{"move", "plug.kvf", "0", "10"}, cli_exit::Usage, "'0' is not a channel number from 1 to 240"},
        {{"move", "plug.kvf", "5", "241"}, cli_exit::Usage, "'241' is not a channel number from 1 to 240"},
        {{"delete", "plug.kvf", "9-3"}, cli_exit::Usage, "the range 9-3 ends before it starts"},
        {{"delete", "plug.kvf", "3-x"}, cli_exit::Usage, "'3-x' is not a channel N or a range N-M of channels from 1 to 240"},
        {{"delete"}, cli_exit::Usage, "usage: lt4402-cli [OPTIONS] delete FILE.kvf N[-M]"},
        {{"delete", "short.kvf", "1"}, cli_exit::Failed, "short.kvf is not a codeplug file: it has 100 bytes, a codeplug file 20092"},
    };
    for (const auto& c : cases) {
        RowVerbRig rig;
        QFile shortFile(rig.path(QStringLiteral("short.kvf")));
        ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
        shortFile.write(QByteArray(100, 'x'));
        shortFile.close();
        QStringList arguments = c.arguments;
        if (arguments.size() > 1)
            arguments[1] = rig.path(arguments[1]);
        const QByteArray before = FileBytes(rig.file);
        const QByteArray shortBefore = FileBytes(rig.path(QStringLiteral("short.kvf")));
        EXPECT_EQ(rig.run(arguments), c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(rig.err.trimmed().endsWith(c.reason)) << rig.err.toStdString();
        EXPECT_EQ(FileBytes(rig.file), before);
        EXPECT_EQ(FileBytes(rig.path(QStringLiteral("short.kvf"))), shortBefore);
    }
}

TEST(CliRowVerbs, TheHelpListsThem)
{
    CliRig rig;
    EXPECT_EQ(rig.run({QStringLiteral("--help")}), cli_exit::Success);
    for (const char* line : {"sort FILE.kvf --by frequency|name", "move FILE.kvf FROM TO", "delete FILE.kvf N[-M]"})
        EXPECT_TRUE(rig.out.contains(QLatin1String(line))) << line;
}
