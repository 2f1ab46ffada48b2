#pragma once

#include "play/play.h"

#include <QGraphicsItem>

class PlayDocument;

// The marks drawn on the step on show, between the court and the pieces: the step's
// actions, the one being drawn or edited, and the selected one with a handle on each of
// its points.
class ActionsItem : public QGraphicsItem {
public:
    explicit ActionsItem(const PlayDocument &document);

    // The play's court may have changed: laid out for its extent.
    void followCourt();

    // An action shown in place of the step's action at index, or after its actions when
    // index is their count; pointer is where a pass or shot being drawn reaches.
    void setPreview(int index, const play::Action &action, QPointF pointer);
    void clearPreview();

    int selectedAction() const { return selected_; }
    void setSelectedAction(int index);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    const PlayDocument &document_;
    int selected_ = -1;
    int previewIndex_ = -1;
    play::Action preview_;
    QPointF pointer_;
};
