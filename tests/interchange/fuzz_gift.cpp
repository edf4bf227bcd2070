#include "tests/interchange/fuzz_roundtrip.h"
#include "worksheets/gift.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return oravians::fuzzRoundTrip(data, size, oravians::readGift, oravians::giftText);
}
