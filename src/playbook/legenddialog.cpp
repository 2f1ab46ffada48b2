#include "playbook/legenddialog.h"

#include "play/motion.h"
#include "play/playpainter.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr QSize kSampleSize(120, 36);
constexpr double kTwipsPerPixel = 15;

// A small play whose one step holds one action of a kind, drawn between two allies standing
// at the sample's ends.
play::Play samplePlay(play::ActionKind kind, QPointF *origin)
{
    play::Play sample = play::newPlay(play::Court::Half);
    play::Step &step = sample.steps.first();
    const double width = kSampleSize.width() * kTwipsPerPixel;
    const double middle = kSampleSize.height() * kTwipsPerPixel / 2;
    const QPointF from(150, middle);
    const QPointF to(width - 150, middle);
    *origin = QPointF(0, 0);
    if (kind == play::ActionKind::Shot) {
        // The shot goes to the basket: the sample shows the court from the shooter to it.
        const QPointF basket = play::basketPosition(sample.court, from);
        *origin = basket - to;
    }
    step.positions[0] = from + *origin;
    step.positions[1] = to + *origin;
    step.ballHolder = 0;
    play::Action action;
    action.kind = kind;
    switch (kind) {
    case play::ActionKind::Cut:
    case play::ActionKind::Dribble:
    case play::ActionKind::Screen:
        action.player = 0;
        action.points = { step.positions[0], step.positions[1] };
        break;
    case play::ActionKind::Pass:
    case play::ActionKind::Handoff:
        action.player = 0;
        action.receiver = 1;
        break;
    case play::ActionKind::Shot:
        action.player = 0;
        break;
    case play::ActionKind::Pen:
        action.points = { from, QPointF(width / 3, middle - 200), QPointF(2 * width / 3, middle + 200), to };
        break;
    case play::ActionKind::Text:
        action.points = { QPointF(width / 2, middle) };
        action.text = QStringLiteral("Aa");
        break;
    }
    step.actions.append(action);
    return sample;
}

QPixmap sample(play::ActionKind kind, qreal devicePixelRatio)
{
    QPixmap pixmap(kSampleSize * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
    painter.setClipRect(QRectF(QPointF(0, 0), QSizeF(kSampleSize) * kTwipsPerPixel));
    QPointF origin;
    const play::Play play = samplePlay(kind, &origin);
    painter.translate(-origin);
    play::drawAction(painter, play, 0, 0);
    return pixmap;
}

} // namespace

LegendDialog::LegendDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Legend"));
    auto *layout = new QGridLayout(this);
    const play::ActionKind kinds[]
        = { play::ActionKind::Cut, play::ActionKind::Pass, play::ActionKind::Dribble, play::ActionKind::Screen,
              play::ActionKind::Handoff, play::ActionKind::Shot, play::ActionKind::Pen, play::ActionKind::Text };
    int row = 0;
    for (play::ActionKind kind : kinds) {
        auto *picture = new QLabel(this);
        picture->setPixmap(sample(kind, devicePixelRatioF()));
        layout->addWidget(picture, row, 0);
        layout->addWidget(new QLabel(play::actionLabel(kind), this), row, 1);
        ++row;
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, row, 0, 1, 2);
}
