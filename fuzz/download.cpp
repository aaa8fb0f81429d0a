// What a download takes from outside: the file chosen (read in blocks, summed),
// the frames it is sent in as the radio decodes them, and the offset text of
// the update dialog.

#include "FuzzSupport.h"

#include "emulator/DownloadFrameDecoder.h"
#include "transfer/DownloadFirmware.h"
#include "transfer/DownloadFrame.h"
#include "transfer/DownloadOffsetText.h"
#include "transfer/DownloadSource.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>

namespace {

constexpr std::size_t kLongestFile = 4 * lt::dl::kPageSize + 17;
constexpr qsizetype kTopDigit = lt::kDataOffsetMaxLength;

// The file read block by block into one buffer, as a download sends it: a
// short last block keeps the previous block's bytes after the file's end.
std::vector<std::vector<uint8_t>> ExpectedBlocks(const std::vector<uint8_t>& file, std::size_t blockSize)
{
    std::vector<std::vector<uint8_t>> blocks;
    std::vector<uint8_t> buffer(blockSize, 0);
    for (std::size_t at = 0; at < file.size(); at += blockSize) {
        std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(at), std::min(blockSize, file.size() - at), buffer.begin());
        blocks.push_back(buffer);
    }
    return blocks;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lt;
    FuzzedDataProvider input(data, size);

    // The offset text: what is read is shown back as the same value, and a
    // typed text of hexadecimal digits is shown as typed, in capitals.
    const QString typed = QString::fromUtf8(fuzz::Bytes(input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 12))));
    const int32_t offset = ParseDataOffset(typed);
    LT_FUZZ_CHECK(ParseDataOffset(DataOffsetText(offset)) == offset);
    const bool hexDigits = std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() < 0x80 && std::isxdigit(c.unicode()); });
    if (!typed.isEmpty() && typed.size() <= kTopDigit && hexDigits) {
        QString shown = typed.toUpper();
        while (shown.size() > 1 && shown.startsWith(QLatin1Char('0')))
            shown.remove(0, 1);
        LT_FUZZ_CHECK(DataOffsetText(offset) == shown);
    }

    // A frame as the radio reads it: the packet it carries, when it is one,
    // goes out in the same frame again.
    const std::vector<uint8_t> received = input.ConsumeBytes<uint8_t>(input.ConsumeBool() ? dl::kFrameSize : 0);
    if (const std::optional<DownloadPacket> carried = DecodeDownloadFrame(received)) {
        dl::DownloadPacket packet{};
        std::copy(carried->begin(), carried->end(), packet.begin());
        const dl::DownloadFrame again = dl::EncodeDownloadFrame(packet);
        LT_FUZZ_CHECK(DecodeDownloadFrame(again) == carried);
    }

    // The file chosen: its bytes go out page by page in frames the radio
    // decodes to what was sent, and its firmware sum is that of the blocks.
    const std::vector<uint8_t> file = input.ConsumeBytes<uint8_t>(std::min(input.remaining_bytes(), kLongestFile));
    DownloadSource source;
    source.path = fuzz::FileHolding(file, QStringLiteral("download.bin"));
    LT_FUZZ_CHECK(source.open());
    LT_FUZZ_CHECK(source.length == static_cast<int32_t>(file.size()));
    dl::DownloadPacket packet{};
    DownloadBlockReader pages(std::span(packet).subspan<dl::kPacketData, dl::kPageSize>());
    const std::vector<std::vector<uint8_t>> expectedPages = ExpectedBlocks(file, dl::kPageSize);
    LT_FUZZ_CHECK(BlockCount(source.length, dl::kPageSize) == static_cast<int32_t>(expectedPages.size()));
    for (int32_t block = 0; block < BlockCount(source.length, dl::kPageSize); ++block) {
        packet[dl::kPacketFlag] = input.ConsumeIntegral<uint8_t>();
        const uint16_t page = dl::PageNumber(offset, block);
        packet[dl::kPacketPage] = static_cast<uint8_t>(page);
        packet[dl::kPacketPage + 1] = static_cast<uint8_t>(page >> 8);
        pages.readNext(source.file);
        LT_FUZZ_CHECK(std::equal(expectedPages[static_cast<std::size_t>(block)].begin(), expectedPages[static_cast<std::size_t>(block)].end(),
                                 packet.begin() + dl::kPacketData));
        dl::SealPacket(packet);
        const dl::DownloadFrame frame = dl::EncodeDownloadFrame(packet);
        LT_FUZZ_CHECK(frame.front() == dl::kFrameStart && frame.back() == dl::kFrameEnd);
        LT_FUZZ_CHECK(std::all_of(frame.begin() + 1, frame.end() - 1, [](uint8_t b) { return (b & dl::kTopBit) != 0; }));
        const std::optional<DownloadPacket> decoded = DecodeDownloadFrame(frame);
        LT_FUZZ_CHECK(decoded && std::equal(decoded->begin(), decoded->end(), packet.begin()));
    }
    source.close();

    LT_FUZZ_CHECK(source.open());
    uint8_t sum = 0;
    for (const std::vector<uint8_t>& block : ExpectedBlocks(file, fw::kBlockSize))
        for (const uint8_t byte : block)
            sum = static_cast<uint8_t>(sum + byte);
    LT_FUZZ_CHECK(FirmwareFileSum(source.file, source.length) == sum);
    source.close();
    return 0;
}
