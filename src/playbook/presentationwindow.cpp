#include "playbook/presentationwindow.h"

#include "play/motion.h"
#include "play/playpainter.h"
#include "playbook/playdocument.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include <algorithm>

namespace {

const QColor kSurround(22, 22, 24);
const QColor kNoteColour(240, 240, 240);
const QColor kCounterColour(150, 150, 155);
const QColor kInkColour(0, 170, 80);

constexpr double kInkWidth = 90; // twips
constexpr qint64 kInkHold = 3000; // milliseconds of ink at full strength
constexpr qint64 kInkFade = 1000; // and then fading to nothing
constexpr qint64 kHintHold = 4000;
constexpr qint64 kHintFade = 1000;
constexpr int kFadeInterval = 33; // milliseconds between repaints while something fades
constexpr double kEndOfStep = 1e-6; // seconds; a step played this close to its end is over
constexpr double kSmallestNoteSize = 12; // pixels

// How strongly something shown at a time and held before fading out shows now: 1, down to 0.
double strength(qint64 now, qint64 since, qint64 hold, qint64 fade)
{
    return std::clamp(1.0 - double(now - since - hold) / double(fade), 0.0, 1.0);
}

QFont presentationFont(double pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, int(pixelSize)));
    return font;
}

double noteSize(const QSizeF &size)
{
    return std::max(16.0, size.height() / 24);
}

QRectF noteBounds(const QFont &font, double width, const QString &note)
{
    return QFontMetricsF(font).boundingRect(QRectF(0, 0, width, 1e6), Qt::AlignHCenter | Qt::TextWordWrap, note);
}

} // namespace

PresentationWindow::PresentationWindow(PlayDocument &document, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , document_(document)
    , playback_(document)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setWindowTitle(tr("%1 (Presentation) - Hoopwright Playbook").arg(document_.displayName()));
    setAccessibleName(tr("Presentation"));

    fadeTimer_.setInterval(kFadeInterval);
    connect(&fadeTimer_, &QTimer::timeout, this, &PresentationWindow::fade);
    connect(&playback_, &Playback::timeChanged, this, &PresentationWindow::followPlayback);
    connect(&playback_, &Playback::stateChanged, this, &PresentationWindow::forgetPicture);

    // Another step on show starts clean: at its start, without the ink drawn on the last.
    connect(&document_, &PlayDocument::currentStepChanged, this, [this] {
        playback_.stop();
        ink_.clear();
        forgetPicture();
    });
    const auto forgetLayout = [this] {
        layout_.reset();
        spriteScale_ = 0;
        forgetPicture();
    };
    for (auto signal : { &PlayDocument::stepsChanged, &PlayDocument::rosterChanged })
        connect(&document_, signal, this, forgetLayout);
    for (auto signal : { &PlayDocument::stepChanged, &PlayDocument::noteChanged, &PlayDocument::actionsChanged })
        connect(&document_, signal, this, forgetLayout);
}

void PresentationWindow::setClock(Clock clock)
{
    playback_.setClock(std::move(clock));
}

void PresentationWindow::present(QScreen *screen)
{
    if (screen) {
        setScreen(screen);
        setGeometry(screen->geometry());
        playback_.setRefreshRate(screen->refreshRate());
    }
    showFullScreen();
    raise();
    activateWindow();
    setFocus();
    showHint();
}

void PresentationWindow::showNextStep()
{
    showStep(document_.currentStep() + 1);
}

void PresentationWindow::showPreviousStep()
{
    showStep(document_.currentStep() - 1);
}

void PresentationWindow::showFirstStep()
{
    showStep(0);
}

void PresentationWindow::showLastStep()
{
    showStep(int(document_.play().steps.size()) - 1);
}

void PresentationWindow::showStep(int step)
{
    document_.setCurrentStep(step);
}

void PresentationWindow::playStep()
{
    if (playback_.isPlaying()) {
        playback_.pause();
        return;
    }
    // A step not yet played, or played to its end, plays from its start; a paused one goes on.
    if (!playback_.isActive() || stepSeconds() >= stepDuration_) {
        stepStart_ = document_.motion().stepStartTime(document_.currentStep());
        stepDuration_ = play::timeline(document_.play(), document_.currentStep()).duration;
        playback_.setTime(stepStart_);
    }
    playback_.play();
}

void PresentationWindow::showHint()
{
    hintShownAt_ = playback_.now();
    startFading();
    update();
}

void PresentationWindow::leave()
{
    close();
}

double PresentationWindow::stepSeconds() const
{
    return std::clamp(playback_.time() - stepStart_, 0.0, stepDuration_);
}

void PresentationWindow::followPlayback(double seconds)
{
    // The playback runs through the whole play; a presentation plays one step at a time.
    if (playback_.isPlaying() && seconds - stepStart_ >= stepDuration_ - kEndOfStep)
        playback_.pause();
    // While the step plays only its pieces move over the picture; paused, the picture is
    // the frame.
    if (playback_.isPlaying())
        update();
    else
        forgetPicture();
}

void PresentationWindow::forgetPicture()
{
    slide_ = QPixmap();
    update();
}

PresentationWindow::SlideLayout PresentationWindow::layoutSlides(const QSizeF &size) const
{
    // The step counter in a band along the top, the notes under the court in a band as tall
    // as the longest needs in the largest type (a third of the height at most), and the
    // court in the rest: the court stays in one place from step to step.
    SlideLayout layout;
    layout.size = size;
    const double margin = std::max(8.0, size.height() / 36);
    const double counterSize = std::max(12.0, size.height() / 36);
    layout.counterFont = presentationFont(counterSize);
    layout.counter = QRectF(margin, margin / 2, size.width() - 2 * margin, counterSize * 1.5);
    const double width = size.width() - 4 * margin;
    const double room = size.height() / 3;
    const QFont font = presentationFont(noteSize(size));
    double band = 0;
    for (const play::Step &step : document_.play().steps) {
        if (!step.note.isEmpty())
            band = std::max(band, std::min(room, noteBounds(font, width, step.note).height()));
        if (band >= room)
            break;
    }
    const double courtBottom = band > 0 ? size.height() - 2 * margin - band : size.height() - margin;
    layout.note = QRectF(2 * margin, courtBottom + margin, width, band);
    layout.court = QRectF(QPointF(margin, layout.counter.bottom()), QPointF(size.width() - margin, courtBottom));
    return layout;
}

const PresentationWindow::SlideLayout &PresentationWindow::layout() const
{
    if (!layout_ || layout_->size != QSizeF(size()))
        layout_ = layoutSlides(size());
    return *layout_;
}

QTransform PresentationWindow::courtTransform() const
{
    return play::fitCourt(document_.play().court, layout().court);
}

void PresentationWindow::drawSlide(QPainter &painter) const
{
    const play::Play &play = document_.play();
    const int step = document_.currentStep();
    const SlideLayout &slide = layout();
    painter.fillRect(QRectF(QPointF(0, 0), slide.size), kSurround);

    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(slide.counterFont);
    painter.setPen(kCounterColour);
    painter.drawText(
        slide.counter, Qt::AlignRight | Qt::AlignVCenter, tr("Step %1 of %2").arg(step + 1).arg(play.steps.size()));

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(courtTransform(), true);
    if (playback_.isPlaying())
        play::drawStepMarks(painter, play, step);
    else if (playback_.isActive())
        play::drawFrame(painter, play, step, stepSeconds());
    else
        play::drawStep(painter, play, step);
    painter.restore();

    const QString &note = play.steps.at(step).note;
    if (!note.isEmpty()) {
        // A note longer than the band has room for in the largest type takes smaller type.
        QFont font = presentationFont(noteSize(slide.size));
        while (font.pixelSize() > kSmallestNoteSize
            && noteBounds(font, slide.note.width(), note).height() > slide.note.height())
            font.setPixelSize(std::max(int(kSmallestNoteSize), font.pixelSize() * 9 / 10));
        painter.setFont(font);
        painter.setPen(kNoteColour);
        painter.setClipRect(slide.note);
        painter.drawText(slide.note, Qt::AlignCenter | Qt::TextWordWrap, note);
        painter.setClipping(false);
    }
}

void PresentationWindow::drawInk(QPainter &painter, qint64 now) const
{
    if (ink_.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(courtTransform(), true);
    painter.setPen(QPen(kInkColour, kInkWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const Stroke &stroke : ink_) {
        const double opacity = stroke.finishedAt < 0 ? 1.0 : strength(now, stroke.finishedAt, kInkHold, kInkFade);
        if (opacity <= 0)
            continue;
        painter.setOpacity(opacity);
        painter.drawPolyline(stroke.points);
    }
    painter.restore();
}

void PresentationWindow::drawHint(QPainter &painter, qint64 now) const
{
    const double opacity = strength(now, hintShownAt_, kHintHold, kHintFade);
    if (opacity <= 0)
        return;
    const QString hint
        = tr("Next: \u2192, Page Down, Space or a click \u2003 Previous: \u2190, Page Up or a right-click\n"
             "Enter: play the step \u2003 Drag: draw \u2003 Esc: back to the editor");
    const double fontSize = std::max(12.0, height() / 40.0);
    const QFont font = presentationFont(fontSize);
    const QRectF text = QFontMetricsF(font).boundingRect(
        QRectF(0, 0, width() * 0.9, height()), Qt::AlignCenter | Qt::TextWordWrap, hint);
    // Over the top of the court, where the baseline is, and not over the players' rows.
    QRectF box = text.adjusted(-fontSize, -fontSize / 2, fontSize, fontSize / 2);
    box.moveCenter(QPointF(width() / 2.0, layout().court.top() + fontSize + box.height() / 2));
    painter.save();
    painter.setOpacity(opacity);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 230));
    painter.drawRoundedRect(box, fontSize / 2, fontSize / 2);
    painter.setPen(kNoteColour);
    painter.setFont(font);
    painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, hint);
    painter.restore();
}

void PresentationWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (slide_.isNull()) {
        const qreal ratio = devicePixelRatioF();
        slide_ = QPixmap(size() * ratio);
        slide_.setDevicePixelRatio(ratio);
        QPainter slidePainter(&slide_);
        drawSlide(slidePainter);
    }
    painter.drawPixmap(0, 0, slide_);
    if (playback_.isPlaying())
        drawMovingPieces(painter);
    const qint64 now = playback_.now();
    drawInk(painter, now);
    drawHint(painter, now);
}

const QPixmap &PresentationWindow::sprite(int piece) const
{
    const double scale = courtTransform().m11();
    const qreal ratio = devicePixelRatioF();
    if (spriteScale_ != scale * ratio) {
        sprites_.fill(QPixmap());
        spriteScale_ = scale * ratio;
    }
    QPixmap &sprite = sprites_[piece];
    if (sprite.isNull()) {
        const QRectF extent = play::pieceExtent(piece);
        sprite = QPixmap((extent.size() * scale * ratio).toSize() + QSize(1, 1));
        sprite.setDevicePixelRatio(ratio);
        sprite.fill(Qt::transparent);
        QPainter painter(&sprite);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        painter.scale(scale, scale);
        painter.translate(-extent.topLeft());
        play::drawPiece(painter, document_.play(), piece, QPointF(0, 0));
    }
    return sprite;
}

void PresentationWindow::drawMovingPieces(QPainter &painter) const
{
    // The pieces as pictures drawn once: at each frame they are only copied to their places.
    const play::Placement placement = document_.motion().placementAt(document_.currentStep(), stepSeconds());
    const QTransform transform = courtTransform();
    const auto drawSprite = [&](int piece, QPointF centre) {
        painter.drawPixmap(transform.map(centre + play::pieceExtent(piece).topLeft()), sprite(piece));
    };
    for (int player = 0; player < play::kPlayerCount; ++player)
        drawSprite(player, placement.positions[player]);
    drawSprite(play::kBall,
        placement.ballHolder == play::kNoHolder ? placement.positions[play::kBall]
                                                : play::heldBallPosition(placement.positions[placement.ballHolder]));
}

void PresentationWindow::resizeEvent(QResizeEvent *event)
{
    forgetPicture();
    QWidget::resizeEvent(event);
}

void PresentationWindow::startFading()
{
    if (!fadeTimer_.isActive())
        fadeTimer_.start();
}

void PresentationWindow::fade()
{
    const qint64 now = playback_.now();
    ink_.removeIf([now](const Stroke &stroke) {
        return stroke.finishedAt >= 0 && strength(now, stroke.finishedAt, kInkHold, kInkFade) <= 0;
    });
    if (ink_.isEmpty() && strength(now, hintShownAt_, kHintHold, kHintFade) <= 0)
        fadeTimer_.stop();
    update();
}

void PresentationWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
    case Qt::Key_Space:
        showNextStep();
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_Backspace:
        showPreviousStep();
        break;
    case Qt::Key_Home:
        showFirstStep();
        break;
    case Qt::Key_End:
        showLastStep();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
        playStep();
        break;
    case Qt::Key_Escape:
        leave();
        break;
    default:
        // A key that does nothing here most likely comes from someone looking for the keys.
        if (!event->text().isEmpty() || event->key() == Qt::Key_F1)
            showHint();
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

QRectF PresentationWindow::inkBounds(const Stroke &stroke) const
{
    const QTransform transform = courtTransform();
    const double pen = kInkWidth * transform.m11() + 2;
    return transform.map(stroke.points).boundingRect().adjusted(-pen, -pen, pen, pen);
}

void PresentationWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        showPreviousStep();
    } else if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        pressPosition_ = event->position().toPoint();
    }
    event->accept();
}

void PresentationWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!pressed_)
        return;
    const QTransform toCourt = courtTransform().inverted();
    const bool drawing = !ink_.isEmpty() && ink_.last().finishedAt < 0;
    if (!drawing) {
        // A press that stays put is a click; one that moves draws.
        if ((event->position().toPoint() - pressPosition_).manhattanLength() < QApplication::startDragDistance())
            return;
        ink_.append(Stroke { QPolygonF { toCourt.map(QPointF(pressPosition_)) } });
    }
    Stroke &stroke = ink_.last();
    stroke.points.append(toCourt.map(event->position()));
    update(inkBounds(Stroke { stroke.points.mid(stroke.points.size() - 2) }).toAlignedRect());
}

void PresentationWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    if (!ink_.isEmpty() && ink_.last().finishedAt < 0) {
        ink_.last().finishedAt = playback_.now();
        startFading();
    } else {
        showNextStep();
    }
}

void PresentationWindow::wheelEvent(QWheelEvent *event)
{
    // A notch (120) a step; a touchpad's small deltas add up to one.
    wheelAngle_ += event->angleDelta().y();
    while (wheelAngle_ <= -120) {
        wheelAngle_ += 120;
        showNextStep();
    }
    while (wheelAngle_ >= 120) {
        wheelAngle_ -= 120;
        showPreviousStep();
    }
    event->accept();
}

void PresentationWindow::closeEvent(QCloseEvent *event)
{
    playback_.stop();
    if (QWidget *editor = parentWidget()) {
        editor->raise();
        editor->activateWindow();
    }
    event->accept();
}
