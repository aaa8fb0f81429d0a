// _config.ini as the program reads it at start-up, written back as at exit
// and read again.

#include "FuzzSupport.h"

#include "codeplug/CodeplugModel.h"
#include "program/ConfigFile.h"
#include "program/ProgramSettings.h"

namespace {

bool SameSettings(const lt::ProgramSettings& a, const lt::ProgramSettings& b)
{
    return a.Port == b.Port && a.Language == b.Language && a.AutoSeachPort == b.AutoSeachPort && a.rowHeights == b.rowHeights
        && a.columnWidths == b.columnWidths && a.appName == b.appName && a.company == b.company;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lt;
    const QString path = fuzz::FileHolding({data, size}, QStringLiteral("_config.ini"));
    ProgramSettings settings;
    BandLimits bands;
    LT_FUZZ_CHECK(ReadConfigFile(path, settings, bands));

    // Written back over itself (its other keys kept) and read again: the same
    // settings and band limits.
    WriteConfigFile(path, settings, bands);
    ProgramSettings again;
    BandLimits againBands;
    LT_FUZZ_CHECK(ReadConfigFile(path, again, againBands));
    LT_FUZZ_CHECK(SameSettings(again, settings));
    LT_FUZZ_CHECK(againBands == bands);
    return 0;
}
