#include "transfer/DownloadSource.h"

#include "transfer/DownloadFirmware.h"

#include <algorithm>
#include <array>
#include <limits>

namespace lt {

bool DownloadSource::open()
{
    file.close();
    file.setFileName(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    // A download file anywhere near 2 GiB is no radio file; the length is
    // kept in a signed 32-bit value like every block count derived from it.
    length = static_cast<int32_t>(std::min<qint64>(file.size(), std::numeric_limits<int32_t>::max()));
    return true;
}

void DownloadSource::close()
{
    file.close();
}

int32_t BlockCount(int32_t length, int32_t blockSize)
{
    return length <= 0 ? 0 : (length - 1) / blockSize + 1;
}

void DownloadBlockReader::readNext(QIODevice& file)
{
    file.read(reinterpret_cast<char*>(buffer_.data()), static_cast<qint64>(buffer_.size()));
}

uint8_t FirmwareFileSum(QIODevice& file, int32_t length)
{
    std::array<uint8_t, fw::kBlockSize> block{};
    DownloadBlockReader reader(block);
    uint8_t sum = 0;
    for (int32_t n = BlockCount(length, fw::kBlockSize); n > 0; --n) {
        reader.readNext(file);
        for (const uint8_t byte : block)
            sum = static_cast<uint8_t>(sum + byte);
    }
    return sum;
}

} // namespace lt
