#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace lt {

// One whole message from the program, as the radio tells it apart.
struct RadioMessage {
    enum class Kind {
        ProgramLink,       // "PROGR81", 0xFF
        DownloadLink,      // "PROCODE", 0xFF
        FirmwareLink,      // "SROAPP", 0x01, 0xFF
        BlockRead,         // "R", address, length
        BlockWrite,        // "W", address, length, data
        EndMarker,         // "E"
        StatusRequest,     // "1R"
        FirmwareEndFirst,  // "S", 0x22, 0xDD, five 0xFF
        FirmwareEndSecond, // "S", 0x21, 0xDE, five 0xFF
        DownloadFrame,     // 301 bytes in 5 chunks
        FirmwareBlock,     // 160 bytes in 3 chunks
    };

    Kind kind;
    QByteArray bytes; // the message alone, without the report's padding
};

// Puts the program's output reports together into messages as the radio
// does, and refuses what a radio would not take: a report of another length
// than the device announced or with a report ID other than 0, a chunk out of
// sequence, a message the radio does not know, and padding that is not zero.
class RadioMessageAssembler {
public:
    static constexpr uint8_t kChunkTag = 0x4D;
    static constexpr int kChunkPayload = 61;
    static constexpr int kBlockHeader = 4; // tag, address high, address low, length
    static constexpr int kDownloadFrameLength = 301;
    static constexpr int kFirmwareBlockLength = 160;

    // What one report came to: a whole message, a refusal with its reason,
    // or neither (a chunk was taken and more are awaited).
    struct Outcome {
        std::optional<RadioMessage> message;
        QString refusal;
    };

    // report starts with its report ID; announcedLength is the output report
    // length the device announced.
    Outcome take(const QByteArray& report, std::size_t announcedLength);
    // Forgets a message in progress.
    void reset();

private:
    Outcome takeChunk(const QByteArray& payload);
    static Outcome whole(const QByteArray& payload);
    static Outcome chunked(const QByteArray& chunks, int count);

    QByteArray chunks_;
    int chunkCount_ = 0;
    int nextChunk_ = 0;
};

} // namespace lt
