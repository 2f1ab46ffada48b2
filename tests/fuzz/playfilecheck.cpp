#include "fuzz/playfilecheck.h"

#include "play/playfile.h"

#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

void checkPlayBytes(const std::uint8_t *data, std::size_t size)
{
    const play::ReadResult read
        = play::fromJson(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read.ok()) {
        require(read.play.steps.isEmpty());
        return;
    }
    require(play::checkPlay(read.play).isEmpty());
    const QByteArray saved = play::toJson(read.play);
    const play::ReadResult again = play::fromJson(saved);
    require(again.ok() && again.play == read.play);
    require(play::toJson(again.play) == saved);
}
