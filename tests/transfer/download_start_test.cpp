#include "support/AdminRig.h"

#include "emulator/DownloadFrameDecoder.h"
#include "transfer/TransferState.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

QByteArray Pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 29 + (i >> 8)) & 0xFF);
    return bytes;
}

// A report the radio sends unasked while a download starts: a late
// acknowledgement, or a slow radio answering a link request sent again.
struct StrayCase {
    const char* name;
    int32_t operation;
    char stray;
    int rejectedReply; // the radio rejects this reply's block (0: none)
    TransferOutcome outcome;
};

void PrintTo(const StrayCase& c, std::ostream* out)
{
    *out << c.name;
}

class DownloadStart : public ::testing::TestWithParam<StrayCase> {
protected:
    // The download of file; the stray report arrives 2 ms after the link
    // reply was accepted, while the download waits before its first block.
    void run(const StrayCase& c, const QByteArray& file)
    {
        const QString path = dir.filePath(QStringLiteral("download.bin"));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(file);
        out.close();
        rig.download->path = path;
        rig.download->fileChosen = 1;
        ASSERT_TRUE(rig.download->open());
        rig.emulator.faults.wrongTagReply = c.rejectedReply;

        rig.start(c.operation, kDirectionWrite);
        bool injected = false;
        rig.engine->onProgress = [&](int) {
            if (injected || rig.engine->TransferStep != TransferEngine::kStepBlocks)
                return;
            injected = true;
            rig.clock.callLater(2, [&] { rig.backend.sendUnasked(QByteArray(1, c.stray)); });
        };
        rig.clock.advanceUntil([&] { return rig.engine->outcome().has_value(); }, 60000);
        EXPECT_TRUE(injected);
    }

    QTemporaryDir dir;
    AdminRig rig;
};

TEST_P(DownloadStart, NoReplyIsJudgedBeforeTheFirstBlockIsSent)
{
    const StrayCase& c = GetParam();
    const bool data = c.operation == op::DataDownload;
    const QByteArray file = Pattern(data ? 2 * 256 : 3 * 160);
    run(c, file);

    EXPECT_EQ(rig.engine->outcome(), c.outcome);
    EXPECT_FALSE(rig.download->file.isOpen());
    const std::vector<QByteArray> sent = rig.sentAfterLinkRequest();
    ASSERT_FALSE(sent.empty());
    if (data) {
        // The first frame sent is page 0's, whatever came before it.
        const auto first = DecodeDownloadFrame(std::span(reinterpret_cast<const uint8_t*>(sent[0].constData()), kDownloadFrameSize));
        ASSERT_TRUE(first.has_value());
        EXPECT_EQ((*first)[kPacketPageOffset], 0);
    } else {
        EXPECT_EQ(sent[0].left(160), file.left(160));
    }
    if (c.outcome != TransferOutcome::Success) {
        EXPECT_EQ(sent.size(), 1u) << "the rejected block ends the run";
        return;
    }
    if (data) {
        EXPECT_EQ(sent.size(), 2u);
        ASSERT_EQ(rig.emulator.dataPages.size(), 2u);
        EXPECT_EQ(rig.emulator.dataPages[0] + rig.emulator.dataPages[1], file);
    } else {
        EXPECT_EQ(sent.size(), 3u + 2u); // three blocks, two end commands
        EXPECT_EQ(rig.emulator.firmware, file);
        EXPECT_TRUE(rig.emulator.firmwareFinished());
    }
}

INSTANTIATE_TEST_SUITE_P(Strays, DownloadStart,
    ::testing::Values(
        StrayCase{"DataDownloadStrayAck", op::DataDownload, '\x06', 0, TransferOutcome::Success},
        StrayCase{"FirmwareStrayAck", op::FirmwareUpdate, '\x06', 0, TransferOutcome::Success},
        StrayCase{"DataDownloadStrayLinkReply", op::DataDownload, 'S', 0, TransferOutcome::Success},
        // Reply 1 answers the link request, reply 2 the first frame.
        StrayCase{"DataDownloadFirstFrameRejected", op::DataDownload, '\x06', 2, TransferOutcome::CommunicationFailure}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lt::test
