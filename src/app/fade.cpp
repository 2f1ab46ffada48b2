#include "app/fade.h"

#include "app/controls.h"
#include "platform/ticktimer.h"
#include "platform/windowstyle.h"

#include <QRegularExpression>
#include <cmath>

namespace {
constexpr double kFadeInEnd = 250;
constexpr double kFadeOutEnd = 20;
constexpr double kStep = 2;
} // namespace

void Fade::start()
{
    lngAlpha = 0;
    apply();
}

void Fade::stepIn(platform::TickTimer &timer)
{
    const double counter = step(+kStep);
    if (counter >= kFadeInEnd)
        timer.setEnabled(false);
    lngAlpha = std::int32_t(std::lround(counter));
    apply();
}

bool Fade::stepOut()
{
    const double counter = step(-kStep);
    if (counter <= kFadeOutEnd)
        return false;
    lngAlpha = std::int32_t(std::lround(counter));
    apply();
    return true;
}

double Fade::step(double by)
{
    const double counter = value(holder->Tag) + by;
    holder->Tag = QString::number(counter, 'g', 15);
    return counter;
}

void Fade::apply()
{
    platform::applyOpacity(window, lngAlpha);
}

double Fade::value(const QString &text)
{
    // Leading blanks, an optional sign, digits with an optional fraction; anything after
    // the number is ignored.
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+))"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}
