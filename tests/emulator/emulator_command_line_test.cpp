#include "emulator/EmulatorCommandLine.h"

#include <gtest/gtest.h>

namespace lt {
namespace {

std::optional<EmulatorOptions> parse(QStringList arguments, QString* error)
{
    arguments.prepend(QStringLiteral("lt4402-emu"));
    EmulatorCommandLine commandLine;
    return commandLine.parse(arguments, error);
}

TEST(EmulatorCommandLine, WithoutOptionsServesTheRadioOnItsDefaultPort)
{
    QString error;
    const auto options = parse({}, &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->port, 4402);
    EXPECT_EQ(options->identity.product, "KOVA-905");
    EXPECT_EQ(options->identity.manufacturer, "KOVA _HID");
    EXPECT_FALSE(options->password);
    EXPECT_FALSE(options->status);
    EXPECT_FALSE(options->faults.silenceAfterBlocks);
    EXPECT_FALSE(options->faults.disconnectAfterBlocks);
}

TEST(EmulatorCommandLine, TakesFilesPasswordStatusFaultsAndIdentity)
{
    QString error;
    const auto options = parse({"--port", "0", "--memory", "radio.bin", "--data-memory", "data.bin", "--password", "1234",
                                   "--status", "00 01 02 03 04 05 06 07 08 09 0a 0b 0c FF", "--latency", "5", "--drop", "3",
                                   "--drop-reply", "7", "--wrong-tag", "4", "--oversized", "2", "--silence-after", "0",
                                   "--disconnect-after", "9", "--product-string", "Other", "--vendor-string", "Maker",
                                   "--vid", "0x1234", "--pid", "17"},
        &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->port, 0);
    EXPECT_EQ(options->memoryFile, "radio.bin");
    EXPECT_EQ(options->dataMemoryFile, "data.bin");
    EXPECT_EQ(options->password, QByteArray("1234"));
    ASSERT_TRUE(options->status);
    EXPECT_EQ(options->status->at(1), 0x01);
    EXPECT_EQ(options->status->at(10), 0x0A);
    EXPECT_EQ(options->status->at(13), 0xFF);
    EXPECT_EQ(options->faults.latencyMs, 5);
    EXPECT_EQ(options->faults.dropEvery, 3);
    EXPECT_EQ(options->faults.dropReply, 7);
    EXPECT_EQ(options->faults.wrongTagReply, 4);
    EXPECT_EQ(options->faults.oversizedReply, 2);
    EXPECT_EQ(options->faults.silenceAfterBlocks, 0);
    EXPECT_EQ(options->faults.disconnectAfterBlocks, 9);
    EXPECT_EQ(options->identity.product, "Other");
    EXPECT_EQ(options->identity.manufacturer, "Maker");
    EXPECT_EQ(options->identity.vendorId, 0x1234);
    EXPECT_EQ(options->identity.productId, 17);
}

TEST(EmulatorCommandLine, RejectsValuesItCannotUse)
{
    const QStringList bad[] = {
        {"--port", "70000"},
        {"--latency", "-1"},
        {"--drop", "0"},
        {"--wrong-tag", "x"},
        {"--status", "0102"},
        {"--status", "zz0102030405060708090a0b0c0d"},
        {"--password", "1234567890123"},
        {"--vid", "0x10000"},
        {"--no-such-option"},
        {"stray"},
    };
    for (const QStringList& arguments : bad) {
        QString error;
        EXPECT_FALSE(parse(arguments, &error)) << arguments.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty()) << arguments.join(' ').toStdString();
    }
}

} // namespace
} // namespace lt
