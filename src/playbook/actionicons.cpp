#include "playbook/actionicons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QStyleOption>

#include <algorithm>
#include <iterator>

namespace {

// The glyphs are drawn on a grid of 24 x 24, the size of a toolbar's icons at scale 1.
constexpr double kGrid = 24;

const QColor kInk(0x45, 0x4b, 0x54);
const QColor kFolder(0xe9, 0xa8, 0x3b);
const QColor kFolderFront(0xf5, 0xc4, 0x62);
const QColor kFolderEdge(0xa8, 0x6c, 0x12);
const QColor kDisk(0x3f, 0x7c, 0xc0);
const QColor kDiskEdge(0x2a, 0x5a, 0x90);
const QColor kGreen(0x3a, 0x9a, 0x4c);

QPen outline(const QColor &colour, double width = 1.2)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

void drawPage(QPainter &p)
{
    p.setPen(outline(kInk));
    p.setBrush(Qt::white);
    p.drawPath(polygon({ { 5.5, 2.5 }, { 14.5, 2.5 }, { 19.5, 7.5 }, { 19.5, 21.5 }, { 5.5, 21.5 } }));
    p.setBrush(QColor(0xdd, 0xe1, 0xe6));
    p.drawPath(polygon({ { 14.5, 2.5 }, { 14.5, 7.5 }, { 19.5, 7.5 } }));
}

void drawFolder(QPainter &p)
{
    p.setPen(outline(kFolderEdge));
    p.setBrush(kFolder);
    p.drawPath(polygon({ { 2.5, 4.5 }, { 9, 4.5 }, { 11, 6.5 }, { 20.5, 6.5 }, { 20.5, 19.5 }, { 2.5, 19.5 } }));
    p.setBrush(kFolderFront);
    p.drawPath(polygon({ { 2.5, 19.5 }, { 5.5, 10.5 }, { 23, 10.5 }, { 20.5, 19.5 } }));
}

void drawDisk(QPainter &p)
{
    p.setPen(outline(kDiskEdge));
    p.setBrush(kDisk);
    p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xdf, 0xe6, 0xee));
    p.drawRect(QRectF(7.5, 4.1, 9, 5.5));
    p.setBrush(kDiskEdge);
    p.drawRect(QRectF(13, 5, 2, 3.6));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6.5, 12.5, 11, 7.4), 1, 1);
}

// A turning arrow whose head points left; mirrored, it points right.
void drawTurningArrow(QPainter &p)
{
    QPainterPath shaft;
    shaft.moveTo(9, 9.5);
    shaft.cubicTo(15.5, 9.5, 20, 12, 20, 15.5);
    shaft.lineTo(20, 19);
    p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shaft);
    p.setPen(outline(kInk, 1));
    p.setBrush(kInk);
    p.drawPath(polygon({ { 3.5, 9.5 }, { 10, 4.5 }, { 10, 14.5 } }));
}

// Two triangles pointing right.
void drawSeek(QPainter &p)
{
    p.setPen(outline(kInk, 1));
    p.setBrush(kInk);
    p.drawPath(polygon({ { 3.5, 6.5 }, { 11.5, 12 }, { 3.5, 17.5 } }));
    p.drawPath(polygon({ { 12, 6.5 }, { 20, 12 }, { 12, 17.5 } }));
}

void drawPlus(QPainter &p, QPointF centre, double radius)
{
    p.setPen(outline(Qt::white));
    p.setBrush(kGreen);
    p.drawEllipse(centre, radius, radius);
    const double arm = radius * 0.55;
    p.setPen(QPen(Qt::white, radius * 0.34, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    p.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
}

void drawTrash(QPainter &p)
{
    p.setPen(outline(kInk));
    p.setBrush(QColor(0xb4, 0xba, 0xc1));
    p.drawPath(polygon({ { 6, 8.5 }, { 18, 8.5 }, { 16.8, 21 }, { 7.2, 21 } }));
    p.drawRoundedRect(QRectF(9.5, 2.8, 5, 2.6), 0.8, 0.8);
    p.drawRoundedRect(QRectF(4.5, 5.2, 15, 2.6), 0.8, 0.8);
    p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::RoundCap));
    for (double x : { 10.0, 12.0, 14.0 })
        p.drawLine(QPointF(x, 11), QPointF(x, 18.5));
}

// A printer with a printed page coming out of it.
void drawPrinter(QPainter &p)
{
    p.setPen(outline(kInk));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 3.5, 9, 6));
    p.setBrush(QColor(0xb4, 0xba, 0xc1));
    p.drawRoundedRect(QRectF(3.5, 8.5, 17, 9), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 14.5, 9, 7));
    p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 17), QPointF(14.5, 17));
    p.drawLine(QPointF(9.5, 19.2), QPointF(13, 19.2));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(17.5, 11.5), 1, 1);
}

// A screen on a stand, showing a play button.
void drawScreen(QPainter &p)
{
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(12, 16), QPointF(12, 19));
    p.drawLine(QPointF(7.5, 21.5), QPointF(12, 19));
    p.drawLine(QPointF(16.5, 21.5), QPointF(12, 19));
    p.setPen(outline(kInk));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 3.5, 19, 12.5));
    p.setPen(outline(kDiskEdge, 1));
    p.setBrush(kDisk);
    p.drawPath(polygon({ { 10, 6.5 }, { 15.5, 9.75 }, { 10, 13 } }));
}

// Draws the glyph of a standard pixmap on the grid.
void drawGlyph(QPainter &p, QStyle::StandardPixmap which)
{
    switch (which) {
    case QStyle::SP_FileIcon:
        drawPage(p);
        break;
    case QStyle::SP_DialogOpenButton:
        drawFolder(p);
        break;
    case QStyle::SP_DialogSaveButton:
        drawDisk(p);
        break;
    case QStyle::SP_FileDialogNewFolder:
        drawFolder(p);
        drawPlus(p, QPointF(17, 16.5), 6);
        break;
    case QStyle::SP_TrashIcon:
        drawTrash(p);
        break;
    case QStyle::SP_FileDialogDetailedView: // printing
        drawPrinter(p);
        break;
    case QStyle::SP_DesktopIcon: // presenting
        drawScreen(p);
        break;
    case QStyle::SP_ArrowBack:
        drawTurningArrow(p);
        break;
    case QStyle::SP_ArrowForward:
        p.translate(kGrid, 0);
        p.scale(-1, 1);
        drawTurningArrow(p);
        break;
    case QStyle::SP_MediaSeekForward:
        drawSeek(p);
        break;
    case QStyle::SP_MediaSeekBackward:
        p.translate(kGrid, 0);
        p.scale(-1, 1);
        drawSeek(p);
        break;
    case QStyle::SP_MediaPlay:
        p.setPen(outline(kInk, 1.5));
        p.setBrush(kInk);
        p.drawPath(polygon({ { 7, 4.5 }, { 19.5, 12 }, { 7, 19.5 } }));
        break;
    case QStyle::SP_MediaPause:
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawRoundedRect(QRectF(6, 5, 4.5, 14), 1, 1);
        p.drawRoundedRect(QRectF(13.5, 5, 4.5, 14), 1, 1);
        break;
    case QStyle::SP_MediaStop:
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawRoundedRect(QRectF(5.5, 5.5, 13, 13), 1.5, 1.5);
        break;
    default:
        break;
    }
}

class GlyphIconEngine : public QIconEngine {
public:
    explicit GlyphIconEngine(QStyle::StandardPixmap which)
        : which_(which)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    // The pixmap of a size in device pixels, drawn once and kept in the pixmap cache; the
    // disabled and selected looks are the style's, as for icons read from images.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const QString key = QStringLiteral("hoopwright-glyph-%1-%2x%3-%4")
                                .arg(int(which_))
                                .arg(size.width())
                                .arg(size.height())
                                .arg(int(mode));
        QPixmap pixmap;
        if (QPixmapCache::find(key, &pixmap))
            return pixmap;
        pixmap = QPixmap(size);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            const double side = std::min(size.width(), size.height());
            painter.translate((size.width() - side) / 2, (size.height() - side) / 2);
            painter.scale(side / kGrid, side / kGrid);
            drawGlyph(painter, which_);
        }
        if (mode == QIcon::Disabled || mode == QIcon::Selected) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        QPixmapCache::insert(key, pixmap);
        return pixmap;
    }

    QIconEngine *clone() const override { return new GlyphIconEngine(which_); }
    QString key() const override { return QStringLiteral("hoopwright-glyph"); }

private:
    QStyle::StandardPixmap which_;
};

} // namespace

QIcon actionIcon(QStyle::StandardPixmap which)
{
    static const QStyle::StandardPixmap glyphs[] = { QStyle::SP_FileIcon, QStyle::SP_DialogOpenButton,
        QStyle::SP_DialogSaveButton, QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon, QStyle::SP_ArrowBack,
        QStyle::SP_ArrowForward, QStyle::SP_MediaSeekForward, QStyle::SP_MediaSeekBackward, QStyle::SP_MediaPlay,
        QStyle::SP_MediaPause, QStyle::SP_MediaStop, QStyle::SP_FileDialogDetailedView, QStyle::SP_DesktopIcon };
    if (std::find(std::begin(glyphs), std::end(glyphs), which) == std::end(glyphs))
        return QApplication::style()->standardIcon(which);
    return QIcon(new GlyphIconEngine(which));
}
