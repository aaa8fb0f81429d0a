#pragma once

#include <QFile>
#include <QString>

#include <cstdint>
#include <span>

namespace lt {

// What the update dialog hands its runs, held program-wide: the chosen file
// stays chosen across openings of the dialog, the offset does not. The file is
// open only from the button that starts a run until that run ends.
struct DownloadSource {
    QString path;           // set only through the file-open dialog
    uint8_t fileChosen = 0; // sent as byte 0 of every data packet
    int32_t DataOffset_DL = 0;
    QFile file;
    int32_t length = 0;

    // Opens the chosen file for reading as raw bytes and takes its length.
    bool open();
    void close();
};

// Number of blocks of blockSize that hold length bytes, the last one maybe short.
int32_t BlockCount(int32_t length, int32_t blockSize);

// Reads a file block by block into one buffer that is never cleared: in a
// short last block the bytes after the end of the file are what the buffer held
// before, that is the previous block's bytes there (0 before the first block).
// What is sent and what is summed both come from this buffer, so a file's sum
// and its blocks always agree.
class DownloadBlockReader {
public:
    explicit DownloadBlockReader(std::span<uint8_t> buffer) : buffer_(buffer) {}
    // Reads the next block from file into the buffer.
    void readNext(QIODevice& file);

private:
    std::span<uint8_t> buffer_;
};

// The firmware file's 8-bit check sum: every byte of every 160-byte block.
uint8_t FirmwareFileSum(QIODevice& file, int32_t length);

} // namespace lt
