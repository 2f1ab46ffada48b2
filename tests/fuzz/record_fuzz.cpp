// libFuzzer entry: arbitrary bytes as the first-use record.
#include "fuzz/recordcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    checkRecordBytes(data, size);
    return 0;
}
