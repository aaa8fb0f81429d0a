#pragma once

#include "emulator/RadioMessage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace lt {

// Faults the emulator can inject. Replies are numbered from 1 in the order the
// emulator produces them (a dropped reply keeps its number); blocks are the
// block reads and writes, download frames and firmware blocks it has handled.
struct EmulatorFaults {
    int latencyMs = 0;             // one-way delay of every reply
    int dropEvery = 0;             // every Nth reply is lost (0: none)
    int dropReply = 0;             // this reply is lost (0: none)
    int wrongTagReply = 0;         // this reply starts with kWrongTag (0: none)
    int oversizedReply = 0;        // this reply, if a block read reply, claims 255 data bytes (0: none)
    std::optional<int> silenceAfterBlocks;    // after N blocks nothing more is handled or answered
    std::optional<int> disconnectAfterBlocks; // after answering the Nth block the radio goes away
};

// The radio as the program meets it over the HID link: it takes output reports
// (report ID byte first), reassembles chunked messages and answers like the
// radio, with a 64 KiB memory, a data memory for downloads and a firmware store.
//
// It answers only what a radio answers, so that a program sending something
// wrong is caught: block reads and writes only in a session opened by
// "PROGR81", download frames only after "PROCODE", firmware blocks and the
// firmware end commands only after "SROAPP" (the status request "1R" at any
// time). A session ends at "E", at a new link request or after 6 s without a
// report. Whatever the radio would not take (see RadioMessageAssembler for
// the reports themselves) gets no reply and one line in refusals().
class RadioEmulator {
public:
    static constexpr std::size_t kMemorySize = 65536;
    static constexpr std::size_t kStatusSize = 14;
    static constexpr uint8_t kAck = 0x06;
    static constexpr uint8_t kWrongTag = 0x15;
    static constexpr int64_t kSessionSilenceMs = 6000;

    struct Response {
        QByteArray reply;         // the reply message, empty when none
        bool disconnect = false;  // the radio goes away after this reply
    };

    RadioEmulator();

    // Handles one output report (report ID byte first) that arrived at nowMs
    // (milliseconds on any clock; only differences count) on a device that
    // announced output reports of announcedLength bytes.
    Response handleReport(const QByteArray& report, std::size_t announcedLength, int64_t nowMs);

    // A reply cut into input reports of the given length: report ID 0, then
    // the reply bytes, zero-padded.
    static std::vector<QByteArray> toInputReports(const QByteArray& reply, std::size_t inputReportLength);

    // Writes a password record for text at 0xC000.
    void setPassword(const QByteArray& text);

    // Memory files: exactly 65536 bytes. The data memory file holds the pages
    // from page 0 up to the highest one written; missing bytes read as 0xFF.
    bool loadMemory(const QString& path, QString* error);
    bool saveMemory(const QString& path, QString* error) const;
    bool loadDataMemory(const QString& path, QString* error);
    bool saveDataMemory(const QString& path, QString* error) const;

    // The data memory as one byte string, page 0 first.
    QByteArray dataMemory() const;

    int repliesProduced() const { return replies_; }
    int blocksHandled() const { return blocks_; }
    bool firmwareFinished() const { return firmwareFinished_; }
    // Why a report got no reply, one reason each, in order.
    const QStringList& refusals() const { return refusals_; }

    EmulatorFaults faults;
    std::array<uint8_t, kMemorySize> memory;
    std::array<uint8_t, kStatusSize> status{};
    std::map<uint16_t, QByteArray> dataPages;  // page number -> 256 bytes
    QByteArray firmware;                       // firmware blocks in arrival order
    // Called when the end marker "E" ends a session (the tool saves its memory then).
    std::function<void()> onEndMarker;
    // Told every refusal as it happens; writes it to standard error unless
    // replaced.
    std::function<void(const QString& reason)> onRefusal;

private:
    enum class Session { None, Program, Download, Firmware };

    struct Answer {
        QByteArray reply;
        bool block = false;
        QString refusal;
    };

    static Answer LinkAccepted();
    // Why the message is refused in the current session, or nothing.
    QString refusalOutsideItsSession(RadioMessage::Kind kind) const;

    Response handleMessage(const RadioMessage& message);
    Answer answer(const RadioMessage& message);
    Answer blockRead(const QByteArray& message) const;
    Answer blockWrite(const QByteArray& message);
    Answer downloadFrame(const QByteArray& message);
    Answer firmwareBlock(const QByteArray& message);
    void refuse(const QString& reason);

    RadioMessageAssembler assembler_;
    Session session_ = Session::None;
    std::optional<int64_t> lastReportMs_;
    bool firmwareFinished_ = false;
    int replies_ = 0;
    int blocks_ = 0;
    QStringList refusals_;
};

} // namespace lt
