#include "play/playpainter.h"

#include "play/motion.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QPolygonF>
#include <QRadialGradient>
#include <QResource>
#include <QTransform>

#include <cmath>
#include <map>
#include <utility>

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
    const QPicture &picture = artwork(name);
    // Playback scales a picture by the device's resolution over the screen's (a printer's
    // 600 dots an inch, a PDF's 1200); the court's units are mapped on to the device already.
    double sx = 1;
    double sy = 1;
    if (const QPaintDevice *device = painter.device(); device && device->logicalDpiX() > 0) {
        sx = double(picture.logicalDpiX()) / device->logicalDpiX();
        sy = double(picture.logicalDpiY()) / device->logicalDpiY();
    }
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(sx * rect.width() / recorded.width(), sy * rect.height() / recorded.height());
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

QRectF jerseyRect(QPointF centre)
{
    return QRectF(centre.x() - kJerseyWidth / 2, centre.y() - kJerseyHeight / 2, kJerseyWidth, kJerseyHeight);
}

} // namespace

void registerFonts()
{
    // The faces are stored uncompressed among the resources and handed to the font database
    // where they lie: reading them whole into memory first took a good part of the start.
    for (const char *name : { ":/play/DejaVuSans.ttf", ":/play/DejaVuSans-Bold.ttf" }) {
        const QResource face(QString::fromLatin1(name));
        if (face.compressionAlgorithm() == QResource::NoCompression) {
            QFontDatabase::addApplicationFontFromData(
                QByteArray::fromRawData(reinterpret_cast<const char *>(face.data()), face.size()));
        } else {
            QFontDatabase::addApplicationFont(face.fileName());
        }
    }
}

void drawCourt(QPainter &painter, Court court, Medium medium)
{
    const QSizeF size = courtSize(court);
    const char *art = medium == Medium::Paper ? (court == Court::Half ? "half_court_plain" : "whole_court_plain")
                                              : (court == Court::Half ? "half_court" : "whole_court");
    drawArtwork(painter, art, QRectF(QPointF(0, 0), size), size);
}

void drawPlayer(QPainter &painter, const Play &play, int player, QPointF centre, Medium medium)
{
    const QRectF rect = jerseyRect(centre);
    const bool ally = sideOf(player) == Side::Ally;
    const char *art = medium == Medium::Paper ? (ally ? "ally_jersey_flat" : "opponent_jersey_flat")
                                              : (ally ? "ally_jersey" : "opponent_jersey");
    drawArtwork(painter, art, rect, rect.size());

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

void drawPiece(QPainter &painter, const Play &play, int piece, QPointF centre)
{
    if (piece == kBall)
        drawBall(painter, centre);
    else
        drawPlayer(painter, play, piece, centre);
}

QRectF pieceExtent(int piece)
{
    if (piece == kBall) {
        const double r = kBallDiameter / 2 + 20;
        return QRectF(-r, -r, 2 * r, 2 * r);
    }
    const double width = 2400;
    return QRectF(-width / 2, -kJerseyHeight / 2 - 20, width, kJerseyHeight + 420);
}

namespace {

// The marks' measures, in twips: lines thick enough to read on a thumbnail.
constexpr double kLineWidth = 40;
constexpr double kArrowLength = 300;
constexpr double kArrowHalfWidth = 150;
constexpr double kScreenBarHalfLength = 260;
constexpr double kHandoffBarHalfLength = 200;
constexpr double kHandoffBarGap = 90;
constexpr double kZigzagWavelength = 280;
constexpr double kZigzagAmplitude = 110;
// A pass or handoff ends short of its receiver's centre, so that its arrowhead shows
// beside the jersey rather than under it.
constexpr double kReceiverGap = kJerseyHeight / 2;
constexpr double kTextSize = 360;

QColor colourOf(const Action &action)
{
    return action.colour.isValid() ? action.colour : QColor(Qt::black);
}

QFont textFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(int(kTextSize));
    return font;
}

QRectF textRect(const Action &action)
{
    const QFontMetricsF metrics(textFont());
    const QSizeF size(metrics.horizontalAdvance(action.text) + kTextSize / 2, metrics.height());
    const QPointF centre = action.points.value(0);
    return QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
}

double length(QPointF v)
{
    return std::hypot(v.x(), v.y());
}

// A line as a polyline, for drawing along it: each curve in straight pieces about 150
// twips long (a few pixels at the sizes a court is shown), far fewer than Qt's own
// flattening makes in twips, which costs its time in antialiased, dashed strokes.
QPolygonF flattened(const QPainterPath &path)
{
    QPolygonF line;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (!line.isEmpty())
                break; // one subpath
            line << e;
        } else if (e.isLineTo()) {
            line << e;
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPointF p0 = line.isEmpty() ? QPointF(e) : line.last();
            const QPointF p1 = e;
            const QPointF p2 = path.elementAt(i + 1);
            const QPointF p3 = path.elementAt(i + 2);
            const double hull = length(p1 - p0) + length(p2 - p1) + length(p3 - p2);
            const int pieces = std::clamp(int(hull / 150), 2, 64);
            for (int k = 1; k <= pieces; ++k) {
                const double t = double(k) / pieces;
                const double u = 1 - t;
                line << u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
            }
            i += 2;
        }
    }
    return line;
}

// The polyline without its last `cut` twips, leaving at least half of it.
QPolygonF trimmedEnd(QPolygonF line, double cut)
{
    double total = 0;
    for (qsizetype i = 1; i < line.size(); ++i)
        total += length(line[i] - line[i - 1]);
    cut = std::min(cut, total / 2);
    while (line.size() >= 2 && cut > 0) {
        const QPointF last = line.last();
        const QPointF before = line[line.size() - 2];
        const double segment = length(last - before);
        if (segment > cut) {
            line.last() = last + (before - last) * (cut / segment);
            break;
        }
        cut -= segment;
        line.removeLast();
    }
    return line;
}

// The direction a polyline ends in, as a unit vector (none for a line of no length).
QPointF endDirection(const QPolygonF &line)
{
    for (qsizetype i = line.size() - 1; i > 0; --i) {
        const QPointF d = line[i] - line[i - 1];
        if (const double l = length(d); l > 1e-6)
            return d / l;
    }
    return {};
}

void drawArrowhead(QPainter &painter, QPointF tip, QPointF direction, const QColor &colour)
{
    if (direction.isNull())
        return;
    const QPointF normal(-direction.y(), direction.x());
    const QPointF base = tip - direction * kArrowLength;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF { tip, base + normal * kArrowHalfWidth, base - normal * kArrowHalfWidth });
    painter.setBrush(Qt::NoBrush);
}

// A bar across a line at a point.
void drawBar(QPainter &painter, QPointF at, QPointF direction, double halfLength)
{
    const QPointF normal(-direction.y(), direction.x());
    painter.drawLine(at + normal * halfLength, at - normal * halfLength);
}

// The point a distance along a polyline, and the direction there.
std::pair<QPointF, QPointF> pointAlong(const QPolygonF &line, double distance)
{
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QPointF d = line[i] - line[i - 1];
        const double l = length(d);
        if (l <= 0)
            continue;
        if (distance <= l)
            return { line[i - 1] + d * (distance / l), d / l };
        distance -= l;
    }
    return { line.isEmpty() ? QPointF() : line.last(), endDirection(line) };
}

double polylineLength(const QPolygonF &line)
{
    double total = 0;
    for (qsizetype i = 1; i < line.size(); ++i)
        total += length(line[i] - line[i - 1]);
    return total;
}

// A dribble's zigzag: corners alternately either side of the line every half wavelength,
// then straight for the arrowhead's length so that the head sits on the line.
QPolygonF zigzag(const QPolygonF &line)
{
    const double total = polylineLength(line);
    const double waved = total - 1.5 * kArrowLength;
    QPolygonF result;
    if (line.isEmpty())
        return result;
    result << line.first();
    int corner = 0;
    for (double at = kZigzagWavelength / 4; at < waved; at += kZigzagWavelength / 2, ++corner) {
        const auto [point, direction] = pointAlong(line, at);
        const QPointF normal(-direction.y(), direction.x());
        result << point + normal * (corner % 2 ? -kZigzagAmplitude : kZigzagAmplitude);
    }
    if (waved > 0)
        result << pointAlong(line, std::max(waved, 0.0) + kZigzagWavelength / 4).first;
    result << line.last();
    return result;
}

// A polyline as separate segments, or as dashes of `dash` twips with `gap` between them.
// Drawn with drawLines and a square- or flat-capped solid pen, straight segments take the
// raster engine's quick way, several times quicker than a stroked polyline's outline.
QList<QLineF> segments(const QPolygonF &line, double dash = 0, double gap = 0)
{
    QList<QLineF> result;
    if (dash <= 0) {
        for (qsizetype i = 1; i < line.size(); ++i)
            result.append(QLineF(line[i - 1], line[i]));
        return result;
    }
    bool on = true;
    double left = dash; // of the current dash or gap
    for (qsizetype i = 1; i < line.size(); ++i) {
        QPointF from = line[i - 1];
        const QPointF to = line[i];
        double remaining = length(to - from);
        while (remaining > 0) {
            const double step = std::min(left, remaining);
            const QPointF end = from + (to - from) * (step / remaining);
            if (on)
                result.append(QLineF(from, end));
            from = end;
            remaining -= step;
            left -= step;
            if (left <= 0) {
                on = !on;
                left = on ? dash : gap;
            }
        }
    }
    return result;
}

} // namespace

QPainterPath actionLine(const Play &play, int step, int action)
{
    const Action &a = play.steps.at(step).actions.at(action);
    switch (a.kind) {
    case ActionKind::Pass:
    case ActionKind::Handoff:
    case ActionKind::Shot: {
        // A line whose player or receiver is not known yet (while it is drawn) starts or
        // ends at its own first or last point instead.
        QList<QPointF> points = a.points;
        const bool hasPlayer = a.player >= 0 && a.player < kPlayerCount;
        if (hasPlayer)
            points.prepend(positionBefore(play, step, action, a.player));
        if (a.kind == ActionKind::Shot && !points.isEmpty())
            points.append(basketPosition(play.court, points.first()));
        else if (a.kind != ActionKind::Shot && a.receiver >= 0 && a.receiver < kPlayerCount)
            points.append(positionBefore(play, step, action, a.receiver));
        return pathThrough(points);
    }
    case ActionKind::Text: {
        QPainterPath path;
        if (!a.points.isEmpty())
            path.addRect(textRect(a));
        return path;
    }
    default:
        return pathThrough(a.points);
    }
}

void drawAction(QPainter &painter, const Play &play, int step, int action)
{
    // The marks of play diagrams: a cut solid with an arrowhead; a pass dashed with an
    // arrowhead; a dribble zigzag with an arrowhead; a screen solid ending in a bar across
    // it; a handoff solid with an arrowhead and two bars across its middle, where the ball
    // changes hands; a shot dashed to the basket with a double arrowhead.
    const Action &a = play.steps.at(step).actions.at(action);
    const QColor colour = colourOf(a);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour, kLineWidth, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    painter.setBrush(Qt::NoBrush);

    if (a.kind == ActionKind::Text) {
        if (!a.points.isEmpty()) {
            painter.setFont(textFont());
            painter.setPen(colour);
            painter.drawText(textRect(a), Qt::AlignCenter, a.text);
        }
        painter.restore();
        return;
    }

    QPolygonF line = flattened(actionLine(play, step, action));
    if (line.size() < 2) {
        painter.restore();
        return;
    }
    if (a.kind == ActionKind::Pass || a.kind == ActionKind::Handoff)
        line = trimmedEnd(line, kReceiverGap);
    const QPointF tip = line.last();
    const QPointF direction = endDirection(line);
    // Lines with an arrowhead stop under its base, so that the head keeps its point.
    const QPolygonF shaft = trimmedEnd(line, kArrowLength * 0.8);

    // Solid lines square-capped, so that their segments meet without notches at bends.
    QPen solid = pen;
    solid.setCapStyle(Qt::SquareCap);
    switch (a.kind) {
    case ActionKind::Cut:
        painter.setPen(solid);
        painter.drawLines(segments(shaft));
        drawArrowhead(painter, tip, direction, colour);
        break;
    case ActionKind::Pass:
        painter.setPen(pen);
        painter.drawLines(segments(shaft, 3 * kLineWidth, 2 * kLineWidth));
        drawArrowhead(painter, tip, direction, colour);
        break;
    case ActionKind::Dribble:
        painter.setPen(solid);
        painter.drawLines(segments(zigzag(line)));
        drawArrowhead(painter, tip, direction, colour);
        break;
    case ActionKind::Screen:
        painter.setPen(solid);
        painter.drawLines(segments(line));
        drawBar(painter, tip, direction, kScreenBarHalfLength);
        break;
    case ActionKind::Handoff: {
        painter.setPen(solid);
        painter.drawLines(segments(shaft));
        const auto [middle, along] = pointAlong(line, polylineLength(line) / 2);
        painter.setPen(pen);
        drawBar(painter, middle - along * kHandoffBarGap / 2, along, kHandoffBarHalfLength);
        drawBar(painter, middle + along * kHandoffBarGap / 2, along, kHandoffBarHalfLength);
        drawArrowhead(painter, tip, direction, colour);
        break;
    }
    case ActionKind::Shot:
        painter.setPen(pen);
        painter.drawLines(segments(trimmedEnd(line, kArrowLength * 1.5), 1.5 * kLineWidth, 1.5 * kLineWidth));
        drawArrowhead(painter, tip, direction, colour);
        drawArrowhead(painter, tip - direction * kArrowLength * 0.7, direction, colour);
        break;
    default: // the pen: a freehand stroke
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.drawPolyline(line);
        break;
    }
    painter.restore();
}

void drawStepMarks(QPainter &painter, const Play &play, int step, Medium medium)
{
    drawCourt(painter, play.court, medium);
    for (int action = 0; action < play.steps.at(step).actions.size(); ++action)
        drawAction(painter, play, step, action);
}

void drawPieces(QPainter &painter, const Play &play, const Placement &placement, Medium medium)
{
    for (int player = 0; player < kPlayerCount; ++player)
        drawPlayer(painter, play, player, placement.positions[player], medium);
    drawBall(painter,
        placement.ballHolder == kNoHolder ? placement.positions[kBall]
                                          : heldBallPosition(placement.positions[placement.ballHolder]));
}

void drawStep(QPainter &painter, const Play &play, int step, Medium medium)
{
    drawStepMarks(painter, play, step, medium);
    drawPieces(painter, play, startOf(play.steps.at(step)), medium);
}

void drawFrame(QPainter &painter, const Play &play, int step, double seconds)
{
    drawStepMarks(painter, play, step);
    drawPieces(painter, play, placementAt(play, step, seconds));
}

QTransform fitCourt(Court court, const QRectF &target)
{
    const QSizeF size = courtSize(court);
    const double scale = std::min(target.width() / size.width(), target.height() / size.height());
    const QPointF origin = target.center() - QPointF(size.width() * scale / 2, size.height() * scale / 2);
    return QTransform::fromTranslate(origin.x(), origin.y()).scale(scale, scale);
}

} // namespace play
