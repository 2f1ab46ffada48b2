#pragma once

#include "play/motion.h"

#include <QPainterPath>
#include <QRectF>
#include <QTransform>

class QPainter;

// The one painter of plays: the editor's court, thumbnails, and every picture made of a
// play go through it, so a play looks the same everywhere. It draws in the court's own
// units (twips, the court's top-left at the origin); the caller's transform maps them
// on to the device, so the court, the jerseys and their numbers stay sharp at any size.
namespace play {

// Where a drawing goes. On paper (a PDF, a printer) the jerseys are drawn flat, without the
// sheen the screen shows, and the court without the maker's mark: a transparent gradient
// costs a PDF a shading and a soft mask at every jersey, nine tenths of its size, and the
// mark's lettering goes into it as outlines, most of a court's size; neither shows much in
// print, and a playbook holds hundreds of courts.
enum class Medium { Screen, Paper };

// The court picture filling its extent, 0,0 to courtSize(court).
void drawCourt(QPainter &painter, Court court, Medium medium = Medium::Screen);

// A player's jersey centred on a position, with its number and, under it, its name.
void drawPlayer(QPainter &painter, const Play &play, int player, QPointF centre, Medium medium = Medium::Screen);

// The ball centred on a position.
void drawBall(QPainter &painter, QPointF centre);

// A piece centred on a position: a player's jersey, or the ball.
void drawPiece(QPainter &painter, const Play &play, int piece, QPointF centre);

// What the drawing of a piece centred on the origin may cover: the ball, or a jersey with
// room under it for the player's name.
QRectF pieceExtent(int piece);

// Registers the faces the painter draws with, built into the library.
void registerFonts();

// An action's mark in its colour, as basketball play diagrams draw it: a cut solid with an
// arrowhead, a pass dashed with an arrowhead, a dribble zigzag with an arrowhead, a screen
// solid ending in a bar across it, a handoff, a shot to the basket, a pen stroke, a text.
void drawAction(QPainter &painter, const Play &play, int step, int action);

// The line an action's mark follows, from end to end, for hit tests and selection.
QPainterPath actionLine(const Play &play, int step, int action);

// A whole step: the court, its actions, then the pieces where the step starts, in their
// stacking order.
void drawStep(QPainter &painter, const Play &play, int step, Medium medium = Medium::Screen);

// A step as it looks a time into its playback: the court, its actions, and the pieces where
// they stand at that time (placementAt).
void drawFrame(QPainter &painter, const Play &play, int step, double seconds);

// The two layers of a frame, for drawing many frames of one step: what stays (the court and
// the step's actions) and what moves (the pieces where a placement puts them, in their
// stacking order). drawFrame is the one over the other.
void drawStepMarks(QPainter &painter, const Play &play, int step, Medium medium = Medium::Screen);
void drawPieces(QPainter &painter, const Play &play, const Placement &placement, Medium medium = Medium::Screen);

// The transform that shows a court centred in a target rectangle at the largest scale
// that fits, keeping its proportions.
QTransform fitCourt(Court court, const QRectF &target);

} // namespace play
