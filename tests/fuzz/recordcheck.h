#pragma once

#include <cstddef>
#include <cstdint>

// Reads arbitrary bytes as the first-use record file, through the reading, the date
// conversion in several locales and the usage sentence. Aborts on a broken invariant.
void checkRecordBytes(const std::uint8_t *data, std::size_t size);
