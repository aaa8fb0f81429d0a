// A CSV channel list imported into a codeplug, as the command-line tool and
// the main window import one.

#include "FuzzSupport.h"

#include "codeplug/ChannelCsv.h"
#include "codeplug/CodeplugModel.h"
#include "emulator/SampleCodeplug.h"

#include <algorithm>

namespace {

// An error message quotes at most 40 characters of a cell, so it stays short
// whatever the file holds.
constexpr qsizetype kLongestMessage = 200;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lt;
    static const CodeplugModel sample = [] {
        CodeplugModel model;
        FillSampleCodeplug(model);
        return model;
    }();
    CodeplugModel model = sample;

    const CsvImport result = ImportChannelsCsv(fuzz::Bytes({data, size}), model);
    if (!result.ok()) {
        // All or nothing: a refused list changes nothing.
        LT_FUZZ_CHECK(std::ranges::equal(model.block(), sample.block()));
        LT_FUZZ_CHECK(result.errors.size() <= static_cast<std::size_t>(kMaxListedCsvErrors));
        LT_FUZZ_CHECK(result.unlistedErrors == 0 || result.errors.size() == static_cast<std::size_t>(kMaxListedCsvErrors));
        for (const CsvError& error : result.errors) {
            LT_FUZZ_CHECK(error.line >= 1);
            LT_FUZZ_CHECK(DescribeCsvError(error).size() <= kLongestMessage);
        }
        return 0;
    }

    // An accepted list is written exactly in the columns and read back as the
    // same channels.
    LT_FUZZ_CHECK(result.channels == model.UsedChannelCount());
    const CsvExport exported = ExportChannelsCsv(model);
    LT_FUZZ_CHECK(exported.warnings.isEmpty());
    CodeplugModel again = model;
    const CsvImport back = ImportChannelsCsv(exported.text, again);
    LT_FUZZ_CHECK(back.ok());
    LT_FUZZ_CHECK(back.channels == result.channels);
    LT_FUZZ_CHECK(std::ranges::equal(again.block(), model.block()));
    return 0;
}
