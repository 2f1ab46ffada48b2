#include "play/playexport.h"

#include "play/playpainter.h"
#include "play/svgpaintdevice.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <functional>

namespace play {

namespace {

constexpr double kPdfMarginMm = 15;

// Writes a file through a temporary beside it, renamed over the file only once whole.
QString writeWhole(const QString &path, const std::function<QString(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (QString error = write(file); !error.isEmpty()) {
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

void drawFitted(QPainter &painter, const Play &play, int step, QSize size)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(fitCourt(play.court, QRectF(QPointF(0, 0), QSizeF(size))));
    drawStep(painter, play, step);
}

} // namespace

QSize pictureSize(Court court, int width)
{
    width = std::clamp(width, kMinPictureWidth, kMaxPictureWidth);
    const QSizeF size = courtSize(court);
    return QSize(width, qRound(width * size.height() / size.width()));
}

QImage stepPicture(const Play &play, int step, int width)
{
    QImage image(pictureSize(play.court, width), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawFitted(painter, play, step, image.size());
    return image;
}

QByteArray stepSvg(const Play &play, int step)
{
    const QSizeF design = courtSize(play.court) / kTwipsPerPixel;
    SvgPaintDevice device(design.toSize());
    QPainter painter(&device);
    drawFitted(painter, play, step, design.toSize());
    painter.end();
    return device.data();
}

QString writePlaybookPdf(const QString &path, const QList<TitledPlay> &plays, QPageSize::PageSizeId paper)
{
    return writeWhole(path, [&](QIODevice &file) {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Hoopwright Playbook"));
        writer.setTitle(plays.size() == 1 ? plays.front().name : QCoreApplication::translate("play", "Playbook"));
        writer.setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait,
            QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm), QPageLayout::Millimeter));
        if (!drawPlaybook(writer, plays))
            return file.errorString().isEmpty() ? QCoreApplication::translate("play", "The PDF could not be made.")
                                                : file.errorString();
        return QString();
    });
}

QString writeStepPng(const QString &path, const Play &play, int step, int width)
{
    return writeWhole(path, [&](QIODevice &file) {
        if (!stepPicture(play, step, width).save(&file, "PNG"))
            return file.errorString().isEmpty() ? QCoreApplication::translate("play", "The picture could not be made.")
                                                : file.errorString();
        return QString();
    });
}

QString writeStepSvg(const QString &path, const Play &play, int step)
{
    return writeWhole(path, [&](QIODevice &file) {
        const QByteArray svg = stepSvg(play, step);
        if (file.write(svg) != svg.size())
            return file.errorString();
        return QString();
    });
}

} // namespace play
