#pragma once

#include <cstddef>
#include <cstdint>

// Reads arbitrary bytes as the first-use record file, through the reading, the date
// conversion in the locales of the date tests and the usage sentence, and converts a
// moment made from the first bytes to text and back. Aborts on a broken invariant.
void checkRecordBytes(const std::uint8_t *data, std::size_t size);
