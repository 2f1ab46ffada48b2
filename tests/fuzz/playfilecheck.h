#pragma once

#include <cstddef>
#include <cstdint>

// Reads arbitrary bytes as a play file. Either the play is refused with a message and
// nothing of it kept, or it is whole and saving it gives bytes that read back as the same
// play. Aborts on a broken invariant.
void checkPlayBytes(const std::uint8_t *data, std::size_t size);
