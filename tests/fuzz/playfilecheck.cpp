#include "fuzz/playfilecheck.h"

#include "play/motion.h"
#include "play/playfile.h"

#include <algorithm>
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

    // What the editor and playback do with a play that read: none may fail or make it a
    // play that would not save. The first steps are enough for the actions' rules.
    const play::Play &loaded = read.play;
    // A mirrored play stays a play, and mirroring it back and forth again gives it back (the
    // first mirror may bring a mark beside the whole court's bottom sideline on to the court).
    for (const bool endToEnd : { false, true }) {
        const play::Play once = play::mirrored(loaded, endToEnd);
        require(play::checkPlay(once).isEmpty());
        require(play::mirrored(play::mirrored(once, endToEnd), endToEnd) == once);
    }
    for (int step = 0; step < std::min<int>(int(loaded.steps.size()), 20); ++step) {
        play::checkActions(loaded, step);
        const play::Timeline line = play::timeline(loaded, step);
        require(line.actions.size() == loaded.steps[step].actions.size() && line.duration >= play::kStepPause);
        require(play::placementAt(loaded, step, line.duration) == play::endOf(loaded, step));
        play::placementAt(loaded, step, line.duration / 2);
    }
    if (loaded.steps.size() <= 20) {
        play::Play settled = loaded;
        play::settle(settled);
        require(play::checkPlay(settled).isEmpty());
        require(!play::settle(settled));
    }
}
