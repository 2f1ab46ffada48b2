#include "play/playpainter.h"

#include "play/motion.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>
#include <map>

namespace play {

namespace {

// Vector artwork recorded at build time, loaded once per thread that draws (a picture's
// playback is not shared across threads).
const QPicture &artwork(const char *name)
{
    thread_local std::map<QByteArray, QPicture> pictures;
    auto found = pictures.find(name);
    if (found == pictures.end()) {
        found = pictures.emplace(name, QPicture()).first;
        found->second.load(QStringLiteral(":/play/%1.pic").arg(QLatin1String(name)));
    }
    return found->second;
}

// Plays a picture recorded at a size in twips into a rectangle.
void drawArtwork(QPainter &painter, const char *name, const QRectF &rect, QSizeF recorded)
{
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / recorded.width(), rect.height() / recorded.height());
    painter.drawPicture(0, 0, artwork(name));
    painter.restore();
}

QRectF jerseyRect(QPointF centre)
{
    return QRectF(centre.x() - kJerseyWidth / 2, centre.y() - kJerseyHeight / 2, kJerseyWidth, kJerseyHeight);
}

} // namespace

void registerFonts()
{
    QFontDatabase::addApplicationFont(QStringLiteral(":/play/DejaVuSans.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/play/DejaVuSans-Bold.ttf"));
}

void drawCourt(QPainter &painter, Court court)
{
    const QSizeF size = courtSize(court);
    drawArtwork(painter, court == Court::Half ? "half_court" : "whole_court", QRectF(QPointF(0, 0), size), size);
}

void drawPlayer(QPainter &painter, const Play &play, int player, QPointF centre)
{
    const QRectF rect = jerseyRect(centre);
    drawArtwork(painter, sideOf(player) == Side::Ally ? "ally_jersey" : "opponent_jersey", rect, rect.size());

    // Figures a few device pixels high cannot be read and cost the most to draw (a
    // thumbnail's): below that the disc is left plain.
    constexpr double kSmallestLegibleJersey = 16;
    if (rect.height() * std::sqrt(std::abs(painter.deviceTransform().determinant())) < kSmallestLegibleJersey)
        return;

    // The number sits in the jersey's disc as the board's jerseys have it: the disc's
    // centre at 112/192 of the height, the figures 63/192 high.
    const Player &entry = play.roster[player];
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    const QString number = QString::number(entry.number);
    font.setPixelSize(qRound(rect.height() * (number.size() > 1 ? 50.0 : 63.0) / 192));
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRectF disc(
        rect.left(), rect.top() + rect.height() * (112.0 - 43) / 192, rect.width(), rect.height() * 86.0 / 192);
    painter.drawText(disc, Qt::AlignCenter, number);

    if (!entry.name.isEmpty()) {
        QFont nameFont(QStringLiteral("DejaVu Sans"));
        nameFont.setPixelSize(240);
        painter.setFont(nameFont);
        const QFontMetricsF metrics(nameFont);
        const double width = metrics.horizontalAdvance(entry.name) + 120;
        const QRectF label(centre.x() - width / 2, rect.bottom() + 20, width, metrics.height() + 20);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 220));
        painter.drawRoundedRect(label, 60, 60);
        painter.setPen(Qt::black);
        painter.drawText(label, Qt::AlignCenter, entry.name);
    }
    painter.restore();
}

void drawBall(QPainter &painter, QPointF centre)
{
    const double r = kBallDiameter / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shade(centre - QPointF(r / 3, r / 3), r * 1.4);
    shade.setColorAt(0, QColor(0xf6, 0x9a, 0x4a));
    shade.setColorAt(1, QColor(0xc4, 0x55, 0x12));
    painter.setBrush(shade);
    painter.setPen(QPen(Qt::black, 24));
    painter.drawEllipse(centre, r, r);
    // The seams: one across, one down, and two curves.
    QPainterPath seams;
    seams.moveTo(centre.x() - r, centre.y());
    seams.lineTo(centre.x() + r, centre.y());
    seams.moveTo(centre.x(), centre.y() - r);
    seams.lineTo(centre.x(), centre.y() + r);
    seams.moveTo(centre.x() - r * 0.7, centre.y() - r * 0.7);
    seams.quadTo(centre.x() - r * 0.2, centre.y(), centre.x() - r * 0.7, centre.y() + r * 0.7);
    seams.moveTo(centre.x() + r * 0.7, centre.y() - r * 0.7);
    seams.quadTo(centre.x() + r * 0.2, centre.y(), centre.x() + r * 0.7, centre.y() + r * 0.7);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 18));
    painter.drawPath(seams);
    painter.restore();
}

QPainterPath actionLine(const Play &play, int step, int action)
{
    // Placeholder until each kind's ends are worked out.
    return pathThrough(play.steps.at(step).actions.at(action).points);
}

void drawAction(QPainter &painter, const Play &play, int step, int action)
{
    // Placeholder: a plain line.
    const Action &a = play.steps.at(step).actions.at(action);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(a.colour.isValid() ? a.colour : QColor(Qt::black), 40));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(actionLine(play, step, action));
    painter.restore();
}

namespace {

void drawPieces(QPainter &painter, const Play &play, int step, const Placement &placement)
{
    drawCourt(painter, play.court);
    for (int action = 0; action < play.steps.at(step).actions.size(); ++action)
        drawAction(painter, play, step, action);
    for (int player = 0; player < kPlayerCount; ++player)
        drawPlayer(painter, play, player, placement.positions[player]);
    drawBall(painter,
        placement.ballHolder == kNoHolder ? placement.positions[kBall]
                                          : heldBallPosition(placement.positions[placement.ballHolder]));
}

} // namespace

void drawStep(QPainter &painter, const Play &play, int step)
{
    drawPieces(painter, play, step, startOf(play.steps.at(step)));
}

void drawFrame(QPainter &painter, const Play &play, int step, double seconds)
{
    drawPieces(painter, play, step, placementAt(play, step, seconds));
}

QTransform fitCourt(Court court, const QRectF &target)
{
    const QSizeF size = courtSize(court);
    const double scale = std::min(target.width() / size.width(), target.height() / size.height());
    const QPointF origin = target.center() - QPointF(size.width() * scale / 2, size.height() * scale / 2);
    return QTransform::fromTranslate(origin.x(), origin.y()).scale(scale, scale);
}

} // namespace play
