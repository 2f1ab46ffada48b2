#pragma once

#include "play/play.h"
#include "playbook/playback.h"

#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPolygonF>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>

class PlayDocument;
class QScreen;

// The play shown to a team: full screen, the court of the step on show and its note in
// large type, nothing else. The keys of presenter remotes and a click go from step to
// step, Enter plays the step's actions, and a drag draws ink that fades away after a few
// seconds without ever reaching the play. The step shown is the document's, so the editor
// shows the same step when the presentation ends.
class PresentationWindow : public QWidget {
    Q_OBJECT

public:
    using Clock = Playback::Clock;

    explicit PresentationWindow(PlayDocument &document, QWidget *parent = nullptr);

    // The clock the ink, the key hint and the step's playback follow; the steady clock
    // unless a test gives its own.
    void setClock(Clock clock);

    // Fills the screen and takes the keyboard.
    void present(QScreen *screen);

    void showNextStep();
    void showPreviousStep();
    void showFirstStep();
    void showLastStep();
    // Runs the step's actions from its start; while they run, pauses and resumes them.
    void playStep();
    void showHint();
    void leave();

    Playback &playback() { return playback_; }
    // Court units to the window's pixels, as the court is drawn now.
    QTransform courtTransform() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // A stroke of ink in the court's units, so that it stays on the court at any size.
    struct Stroke {
        QPolygonF points;
        qint64 finishedAt = -1; // by the clock; -1 while it is being drawn
    };

    // Where the parts of the slides go in a window of a size.
    struct SlideLayout {
        QSizeF size;
        QRectF counter;
        QFont counterFont;
        QRectF court;
        QRectF note; // the notes' band, empty when no step has a note
    };

    SlideLayout layoutSlides(const QSizeF &size) const;
    const SlideLayout &layout() const;
    void showStep(int step);
    void followPlayback(double seconds);
    void fade();
    void startFading();
    void forgetPicture();
    void drawInk(QPainter &painter, qint64 now) const;
    void drawHint(QPainter &painter, qint64 now) const;
    void drawSlide(QPainter &painter) const;
    void drawMovingPieces(QPainter &painter) const;
    const QPixmap &sprite(int piece) const;
    double stepSeconds() const;
    QRectF inkBounds(const Stroke &stroke) const;

    PlayDocument &document_;
    Playback playback_;
    // Where the step playing starts in the play's time, and how long it lasts.
    double stepStart_ = 0;
    double stepDuration_ = 0;
    QTimer fadeTimer_;
    QList<Stroke> ink_;
    qint64 hintShownAt_ = 0;
    QPoint pressPosition_;
    bool pressed_ = false;
    int wheelAngle_ = 0;
    // The step as it stands still, or without its pieces while it plays, drawn once for the
    // size of the window: the moving pieces, ink and the hint are drawn over it.
    QPixmap slide_;
    mutable std::optional<SlideLayout> layout_;
    // Each piece drawn at the scale of the court on show, for the frames of a step playing.
    mutable std::array<QPixmap, play::kPieceCount> sprites_;
    mutable double spriteScale_ = 0;
};
