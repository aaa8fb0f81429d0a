// The conversions between the radio's bytes and numbers and the texts the
// program shows and takes: GBK names (and their Big5 form for the Traditional
// Chinese interface), frequencies, tones and DTMF digits.

#include "FuzzSupport.h"

#include "codeplug/CodeplugDump.h"
#include "codeplug/ConversionError.h"
#include "codeplug/TextEntryRules.h"
#include "codeplug/ValueEncodings.h"
#include "ui/Big5Conversion.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <optional>

namespace {

constexpr uint32_t kShownHzLimit = 1000000000; // "hhh.ddddd" holds three megahertz digits
constexpr uint32_t kShownOffsetLimit = 100000000;
constexpr uint32_t kShownStep = 10;
constexpr int kLongestName = 16;

std::optional<uint32_t> Frequency(const QString& text)
{
    try {
        return lt::TextToFreq(text);
    } catch (const lt::ConversionError&) {
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lt;
    fuzz::Application();
    FuzzedDataProvider input(data, size);

    // Numbers shown as text and read back, to the precision shown.
    const uint32_t hz = input.ConsumeIntegral<uint32_t>();
    if (hz < kShownHzLimit)
        LT_FUZZ_CHECK(Frequency(FreqToText(hz)) == hz - hz % kShownStep);
    LT_FUZZ_CHECK(Frequency(OffsetToText(hz)) == hz % kShownOffsetLimit - hz % kShownStep);
    const Tone tone{input.ConsumeIntegral<uint16_t>(), input.ConsumeIntegralInRange<uint8_t>(kToneCtcss, kToneDcsInverted)};
    if (IsStandardTone(tone))
        LT_FUZZ_CHECK(TextToTone(ToneToText(tone)) == tone);
    const QByteArray codes = fuzz::Bytes(input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 16)));
    const QString digits = CodesToDtmf(codes);
    LT_FUZZ_CHECK(digits.size() == codes.size());
    bool dtmf = true;
    for (const char code : codes)
        dtmf = dtmf && static_cast<uint8_t>(code) <= 15;
    if (dtmf)
        LT_FUZZ_CHECK(DtmfToCodes(digits) == codes);

    // The rest as bytes of the radio and as typed text.
    const QByteArray bytes = fuzz::Bytes(input.ConsumeRemainingBytes<uint8_t>());
    LT_FUZZ_CHECK(GbkToBig5(bytes).size() == bytes.size());
    const QString name = FromGbk(bytes);
    const QByteArray gbk = ToGbk(name);
    LT_FUZZ_CHECK(ToGbk(FromGbk(gbk)) == gbk);
    static_cast<void>(DecodeGbk(bytes));
    const QString fitted = FitGbkText(name, kLongestName);
    LT_FUZZ_CHECK(ToGbk(fitted).size() <= kLongestName);

    const QString text = QString::fromUtf8(bytes);
    if (const std::optional<uint32_t> typed = Frequency(text); typed && *typed < kShownHzLimit)
        LT_FUZZ_CHECK(Frequency(FreqToText(*typed)) == *typed - *typed % kShownStep);
    if (const std::optional<Tone> typed = TextToTone(text))
        LT_FUZZ_CHECK(TextToTone(ToneToText(*typed)) == *typed || !IsStandardTone(*typed));
    LT_FUZZ_CHECK(DtmfToCodes(text).size() == text.size());
    const QString corrected = CorrectFreqText(text);
    LT_FUZZ_CHECK(corrected.size() <= kFreqTextMax && corrected.count(QLatin1Char('.')) <= 1);
    LT_FUZZ_CHECK(CorrectFreqText(corrected) == corrected);
    LT_FUZZ_CHECK(CorrectToneText(text).size() <= kToneTextMax);
    return 0;
}
