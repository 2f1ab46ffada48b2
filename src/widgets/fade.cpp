#include "widgets/fade.h"

#include "platform/ticktimer.h"
#include "platform/windowstyle.h"

namespace {
constexpr int kFadeInEnd = 250;
constexpr int kFadeOutEnd = 20;
constexpr int kStep = 2;
} // namespace

Fade::Fade(QWidget *window, std::int32_t &opacity)
    : window_(window)
    , opacity_(opacity)
{
}

void Fade::start()
{
    opacity_ = 0;
    apply();
}

void Fade::stepIn(platform::TickTimer &timer)
{
    counter_ += kStep;
    if (counter_ >= kFadeInEnd)
        timer.setEnabled(false);
    opacity_ = counter_;
    apply();
}

bool Fade::stepOut()
{
    counter_ -= kStep;
    if (counter_ <= kFadeOutEnd)
        return false;
    opacity_ = counter_;
    apply();
    return true;
}

void Fade::apply()
{
    platform::applyOpacity(window_, opacity_);
}
