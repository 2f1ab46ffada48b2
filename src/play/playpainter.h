#pragma once

#include "play/play.h"

#include <QRectF>
#include <QTransform>

class QPainter;

// The one painter of plays: the editor's court, thumbnails, and every picture made of a
// play go through it, so a play looks the same everywhere. It draws in the court's own
// units (twips, the court's top-left at the origin); the caller's transform maps them
// on to the device, so the court, the jerseys and their numbers stay sharp at any size.
namespace play {

// The court picture filling its extent, 0,0 to courtSize(court).
void drawCourt(QPainter &painter, Court court);

// A player's jersey centred on a position, with its number and, under it, its name.
void drawPlayer(QPainter &painter, const Play &play, int player, QPointF centre);

// The ball centred on a position.
void drawBall(QPainter &painter, QPointF centre);

// Registers the faces the painter draws with, built into the library.
void registerFonts();

// A whole step: the court, then the pieces in their stacking order.
void drawStep(QPainter &painter, const Play &play, int step);

// The transform that shows a court centred in a target rectangle at the largest scale
// that fits, keeping its proportions.
QTransform fitCourt(Court court, const QRectF &target);

} // namespace play
