#pragma once

#include "play/play.h"

#include <QList>
#include <QLocale>
#include <QPageSize>
#include <QString>

class QPagedPaintDevice;

// A playbook on paper: each play starts a page with its name and tags, then its steps in a
// grid, two to a row, each with its number, its court and its note under it. The PDF
// playbook and printing share this layout: a PDF writer and a printer are both paged
// devices.
namespace play {

// A play with the name it goes by (its file's base name).
struct TitledPlay {
    QString name;
    Play play;
};

// The paper of a country: Letter in the Americas' countries that use it and the
// Philippines, A4 everywhere else.
QPageSize::PageSizeId paperFor(const QLocale &locale);

// Lays the plays out on the device, a page after another; false when the device cannot be
// painted on.
bool drawPlaybook(QPagedPaintDevice &device, const QList<TitledPlay> &plays);

} // namespace play
