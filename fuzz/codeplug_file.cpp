// A codeplug file as the program opens it, then everything the program does
// with an opened file: the dump, the CSV export read back, and the packing for
// a write read back as from a radio.

#include "FuzzSupport.h"
#include "support/EngineRig.h"

#include "codeplug/ChannelCsv.h"
#include "codeplug/CodeplugDump.h"
#include "codeplug/CodeplugFile.h"
#include "codeplug/CodeplugModel.h"
#include "codeplug/RadioImagePacking.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lt;
    const std::span<const uint8_t> input(data, size);
    CodeplugModel model;
    model.SetCodeplugDefaults();
    const CodeplugModel defaults = model;
    LT_FUZZ_CHECK(LoadCodeplugFile(fuzz::FileHolding(input), model));
    // The file's bytes over the start of the block, File/New's after them.
    const std::size_t taken = std::min(size, cp::kBlockSize);
    LT_FUZZ_CHECK(std::equal(data, data + taken, model.block().begin()));
    LT_FUZZ_CHECK(std::equal(model.block().begin() + taken, model.block().end(), defaults.block().begin() + taken));

    LT_FUZZ_CHECK(!DumpCodeplugText(model).isEmpty());
    LT_FUZZ_CHECK(!DumpCodeplugJson(model).isEmpty());

    // The channels as CSV, read back into the same codeplug: when the columns
    // carry every channel exactly and the list is taken, writing it again
    // gives the same text.
    const CsvExport csv = ExportChannelsCsv(model);
    CodeplugModel reimported = model;
    const CsvImport back = ImportChannelsCsv(csv.text, reimported);
    if (csv.warnings.isEmpty() && back.ok())
        LT_FUZZ_CHECK(ExportChannelsCsv(reimported).text == csv.text);

    // Packed for a write and read back from that radio: written again, the
    // radio gets the same bytes and gives back the same codeplug. (The first
    // round may change the file's codeplug: a tone type above 3, which no
    // radio holds, goes out as its two low bits.)
    CodeplugModel packed = model;
    RadioImage image;
    GetDataForWrite(packed, image, test::FixedTime, test::FixedRandom);
    CodeplugModel radio = packed;
    SetDataToSoftware(image, radio);
    CodeplugModel repacked = radio;
    RadioImage again;
    GetDataForWrite(repacked, again, test::FixedTime, test::FixedRandom);
    LT_FUZZ_CHECK(again.bytes == image.bytes);
    CodeplugModel reread = repacked;
    SetDataToSoftware(again, reread);
    LT_FUZZ_CHECK(std::ranges::equal(reread.block(), repacked.block()));
    LT_FUZZ_CHECK(reread.bands == repacked.bands);
    return 0;
}
