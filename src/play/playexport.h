#pragma once

#include "play/playbooklayout.h"

#include <QImage>
#include <QPageSize>
#include <QString>

// Plays written out for people: the PDF playbook, and a step as a picture (PNG or SVG).
// Each file is written whole or not at all: a failure (a full disk, a folder that cannot
// be written) leaves no file behind and returns the reason, for a person; success returns
// an empty string.
namespace play {

inline constexpr int kMinPictureWidth = 64;
inline constexpr int kMaxPictureWidth = 8192;
inline constexpr int kDefaultPictureWidth = 1600;

// The size of a step's picture a width wide, in the court's proportions.
QSize pictureSize(Court court, int width);

// A step drawn on a white picture a width wide (clamped to the limits above).
QImage stepPicture(const Play &play, int step, int width);

// The step as an SVG document, the court's design size in pixels; every mark a vector.
QByteArray stepSvg(const Play &play, int step);

QString writePlaybookPdf(const QString &path, const QList<TitledPlay> &plays, QPageSize::PageSizeId paper);
QString writeStepPng(const QString &path, const Play &play, int step, int width);
QString writeStepSvg(const QString &path, const Play &play, int step);

} // namespace play
