// libFuzzer entry: arbitrary bytes as a play file.
#include "fuzz/playfilecheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    checkPlayBytes(data, size);
    return 0;
}
