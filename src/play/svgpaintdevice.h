#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <memory>

class SvgPaintEngine;

namespace play {

// A paint device that writes what is painted on it as an SVG document: paths, polygons,
// lines, gradients, images (as embedded PNG) and text (as its glyphs' outlines, so that
// the document needs no font). Qt's own SVG writer lives in Qt SVG, which the static
// Windows build leaves out; the painter's drawings need no more than this.
class SvgPaintDevice : public QPaintDevice {
public:
    // A document of a size in pixels at 96 dots per inch.
    explicit SvgPaintDevice(QSize size);
    ~SvgPaintDevice() override;

    // The document, whole once the painter on the device has ended.
    QByteArray data() const;

    QPaintEngine *paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    std::unique_ptr<SvgPaintEngine> engine_;
};

} // namespace play
