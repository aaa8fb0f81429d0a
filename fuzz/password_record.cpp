// The radio's password record: any 16 bytes as read from a radio, and the
// record written for a password, decoded again.

#include "FuzzSupport.h"

#include "codeplug/PasswordRecord.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lt;
    FuzzedDataProvider input(data, size);

    // A record read from a radio: a password it decodes to passes the check,
    // the same password with one character changed does not.
    PasswordRecord read{};
    const std::vector<uint8_t> readBytes = input.ConsumeBytes<uint8_t>(kPasswordRecordSize);
    std::copy(readBytes.begin(), readBytes.end(), read.begin());
    const DecodedPassword decoded = DecodePasswordRecord(read);
    if (decoded.result == PasswordDecode::Ok) {
        LT_FUZZ_CHECK(decoded.password.size() == read[0]);
        LT_FUZZ_CHECK(CheckPasswordRecord(read, decoded.password));
        QByteArray other = decoded.password;
        other[0] = static_cast<char>(other[0] ^ 1);
        LT_FUZZ_CHECK(!CheckPasswordRecord(read, other));
    }
    const QByteArray entered = fuzz::Bytes(input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 16)));
    if (read[0] != 0 && read[0] != 0xFF && read[0] != entered.size())
        LT_FUZZ_CHECK(!CheckPasswordRecord(read, entered));

    // A record written for a password decodes to it (cut to 12 bytes) with
    // any random bytes, and only that password passes.
    const std::vector<uint8_t> random = input.ConsumeBytes<uint8_t>(kPasswordRecordSize);
    const PasswordRecord written = EncodePasswordRecord(entered, [&](std::span<uint8_t> out) {
        std::fill(out.begin(), out.end(), uint8_t{0});
        std::copy_n(random.begin(), std::min(random.size(), out.size()), out.begin());
    });
    const QByteArray kept = entered.left(kPasswordMaxLength);
    const DecodedPassword back = DecodePasswordRecord(written);
    LT_FUZZ_CHECK(back.result == (kept.isEmpty() ? PasswordDecode::NoPassword : PasswordDecode::Ok));
    LT_FUZZ_CHECK(back.password == (kept.isEmpty() ? QByteArray() : kept));
    LT_FUZZ_CHECK(CheckPasswordRecord(written, kept));
    if (!kept.isEmpty())
        LT_FUZZ_CHECK(!CheckPasswordRecord(written, kept + 'x') && !CheckPasswordRecord(written, kept.chopped(1) + char(kept.back() ^ 1)));
    return 0;
}
