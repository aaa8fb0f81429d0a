// A radio memory image as a codeplug read brings it in: the sample radio's
// memory with stretches of it overwritten by the input, unpacked into the
// codeplug, packed for a write and read back.

#include "FuzzSupport.h"
#include "support/EngineRig.h"

#include "codeplug/CodeplugModel.h"
#include "codeplug/RadioImagePacking.h"
#include "emulator/SampleCodeplug.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

namespace {

constexpr std::size_t kLongestStretch = 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lt;
    static const RadioImage sample = [] {
        RadioImage image;
        FillSampleRadioMemory(image);
        return image;
    }();
    RadioImage image = sample;
    FuzzedDataProvider input(data, size);
    while (input.remaining_bytes() > 0) {
        const uint16_t address = input.ConsumeIntegral<uint16_t>();
        const std::vector<uint8_t> stretch = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<std::size_t>(1, kLongestStretch));
        const std::size_t length = std::min(stretch.size(), RadioImage::kSize - address);
        std::copy_n(stretch.begin(), length, image.at(address));
    }

    CodeplugModel read;
    read.SetCodeplugDefaults();
    SetDataToSoftware(image, read);
    LT_FUZZ_CHECK(read.UsedChannelCount() >= 0 && read.UsedChannelCount() <= cp::kChannelCount);

    // Written back and read again, the codeplug stays as it was read.
    CodeplugModel written = read;
    RadioImage again;
    GetDataForWrite(written, again, test::FixedTime, test::FixedRandom);
    CodeplugModel reread = written;
    SetDataToSoftware(again, reread);
    LT_FUZZ_CHECK(std::ranges::equal(reread.block(), written.block()));
    LT_FUZZ_CHECK(reread.bands == written.bands);
    return 0;
}
