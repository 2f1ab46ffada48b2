#include "play/svgpaintdevice.h"

#include <QBuffer>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <climits>

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 7);
}

QString colourText(const QColor &colour)
{
    return colour.name(QColor::HexRgb);
}

QString matrixText(const QTransform &t)
{
    return QStringLiteral("matrix(%1 %2 %3 %4 %5 %6)")
        .arg(number(t.m11()), number(t.m12()), number(t.m21()), number(t.m22()), number(t.dx()), number(t.dy()));
}

QString pathData(const QPainterPath &path)
{
    QString d;
    d.reserve(path.elementCount() * 16);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            d += QLatin1Char('M');
            break;
        case QPainterPath::LineToElement:
            d += QLatin1Char('L');
            break;
        case QPainterPath::CurveToElement:
            d += QLatin1Char('C');
            break;
        case QPainterPath::CurveToDataElement:
            d += QLatin1Char(' ');
            break;
        }
        d += number(e.x) + QLatin1Char(' ') + number(e.y);
    }
    return d;
}

} // namespace

// The engine keeps the painter's state and writes one element a drawing call. Elements carry
// the painter's transform as their own, so that their coordinates, pen widths and gradients
// stay as the painter gave them; clipping, kept in the document's coordinates, wraps them in
// a group.
class SvgPaintEngine : public QPaintEngine {
public:
    explicit SvgPaintEngine(QSize size)
        : QPaintEngine(PaintEngineFeatures(AllFeatures)
            & ~PaintEngineFeatures(PatternBrush | PerspectiveTransform | ConicalGradientFill | PorterDuff | BlendModes))
        , size_(size)
    {
    }

    QByteArray document() const { return document_; }

    bool begin(QPaintDevice *) override
    {
        body_.clear();
        document_.clear();
        nextId_ = 0;
        clipEnabled_ = false;
        groupOpen_ = false;
        clip_ = QPainterPath();
        return true;
    }

    bool end() override
    {
        closeGroup();
        const QString head = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                            "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                            "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" "
                                            "width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n")
                                 .arg(size_.width())
                                 .arg(size_.height());
        document_ = (head + body_ + QStringLiteral("</svg>\n")).toUtf8();
        body_.clear();
        return true;
    }

    Type type() const override { return Type(User + 17); }

    void updateState(const QPaintEngineState &state) override
    {
        const DirtyFlags flags = state.state();
        if (flags & DirtyPen)
            pen_ = state.pen();
        if (flags & DirtyBrush)
            brush_ = state.brush();
        if (flags & DirtyTransform)
            transform_ = state.transform();
        if (flags & DirtyOpacity)
            opacity_ = state.opacity();
        if (flags & (DirtyClipPath | DirtyClipRegion)) {
            QPainterPath path;
            if (flags & DirtyClipPath)
                path = state.clipPath();
            else
                path.addRegion(state.clipRegion());
            setClip(state.clipOperation(), state.transform().map(path));
        }
        if (flags & DirtyClipEnabled) {
            closeGroup();
            clipEnabled_ = state.isClipEnabled();
        }
    }

    void drawPath(const QPainterPath &path) override { writePath(path, brush_, pen_); }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (count < 2)
            return;
        QPainterPath path;
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode == PolylineMode) {
            writePath(path, Qt::NoBrush, pen_);
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
        writePath(path, brush_, pen_);
    }

    // Lines go out as one path: a dashed line of many pieces is one element.
    void drawLines(const QLineF *lines, int count) override
    {
        QPainterPath path;
        for (int i = 0; i < count; ++i) {
            path.moveTo(lines[i].p1());
            path.lineTo(lines[i].p2());
        }
        writePath(path, Qt::NoBrush, pen_);
    }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        QPainterPath glyphs;
        glyphs.addText(p, item.font(), item.text());
        writePath(glyphs, pen_.brush(), Qt::NoPen);
    }

    void drawPixmap(const QRectF &r, const QPixmap &pixmap, const QRectF &source) override
    {
        drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
    }

    void drawImage(const QRectF &r, const QImage &image, const QRectF &source, Qt::ImageConversionFlags) override
    {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.copy(source.toAlignedRect()).save(&buffer, "PNG");
        openGroup();
        body_ += QStringLiteral("<image x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" preserveAspectRatio=\"none\"%5%6 "
                                "xlink:href=\"data:image/png;base64,%7\"/>\n")
                     .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()), transformAttribute(),
                         opacityAttribute(), QString::fromLatin1(png.toBase64()));
    }

private:
    void setClip(Qt::ClipOperation operation, const QPainterPath &path)
    {
        closeGroup();
        if (operation == Qt::NoClip) {
            clipEnabled_ = false;
            clip_ = QPainterPath();
        } else if (operation == Qt::IntersectClip && clipEnabled_) {
            clip_ = clip_.intersected(path);
        } else {
            clip_ = path;
            clipEnabled_ = true;
        }
    }

    void openGroup()
    {
        if (groupOpen_ || !clipEnabled_)
            return;
        const QString id = QStringLiteral("c%1").arg(nextId_++);
        body_ += QStringLiteral("<clipPath id=\"%1\"><path d=\"%2\"%3/></clipPath>\n<g clip-path=\"url(#%1)\">\n")
                     .arg(id, pathData(clip_),
                         clip_.fillRule() == Qt::OddEvenFill ? QStringLiteral(" clip-rule=\"evenodd\"") : QString());
        groupOpen_ = true;
    }

    void closeGroup()
    {
        if (groupOpen_)
            body_ += QStringLiteral("</g>\n");
        groupOpen_ = false;
    }

    QString transformAttribute() const
    {
        return transform_.isIdentity() ? QString() : QStringLiteral(" transform=\"%1\"").arg(matrixText(transform_));
    }

    QString opacityAttribute() const
    {
        return opacity_ < 1 ? QStringLiteral(" opacity=\"%1\"").arg(number(opacity_)) : QString();
    }

    // A gradient's definition, written before the element that uses it; its id.
    QString writeGradient(const QGradient &gradient, const QTransform &brushTransform)
    {
        const QString id = QStringLiteral("g%1").arg(nextId_++);
        const bool boxUnits = gradient.coordinateMode() != QGradient::LogicalMode;
        QString spread;
        if (gradient.spread() == QGradient::ReflectSpread)
            spread = QStringLiteral(" spreadMethod=\"reflect\"");
        else if (gradient.spread() == QGradient::RepeatSpread)
            spread = QStringLiteral(" spreadMethod=\"repeat\"");
        QString common
            = QStringLiteral(" id=\"%1\" gradientUnits=\"%2\"%3")
                  .arg(id, boxUnits ? QStringLiteral("objectBoundingBox") : QStringLiteral("userSpaceOnUse"), spread);
        if (!brushTransform.isIdentity())
            common += QStringLiteral(" gradientTransform=\"%1\"").arg(matrixText(brushTransform));
        QString element;
        if (gradient.type() == QGradient::RadialGradient) {
            const auto &radial = static_cast<const QRadialGradient &>(gradient);
            element = QStringLiteral("radialGradient");
            body_ += QStringLiteral("<radialGradient%1 cx=\"%2\" cy=\"%3\" r=\"%4\" fx=\"%5\" fy=\"%6\">")
                         .arg(common, number(radial.center().x()), number(radial.center().y()), number(radial.radius()),
                             number(radial.focalPoint().x()), number(radial.focalPoint().y()));
        } else {
            const auto &linear = static_cast<const QLinearGradient &>(gradient);
            element = QStringLiteral("linearGradient");
            body_ += QStringLiteral("<linearGradient%1 x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\">")
                         .arg(common, number(linear.start().x()), number(linear.start().y()),
                             number(linear.finalStop().x()), number(linear.finalStop().y()));
        }
        for (const QGradientStop &stop : gradient.stops()) {
            body_ += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"%3/>")
                         .arg(number(stop.first), colourText(stop.second),
                             stop.second.alpha() < 255
                                 ? QStringLiteral(" stop-opacity=\"%1\"").arg(number(stop.second.alphaF()))
                                 : QString());
        }
        body_ += QStringLiteral("</%1>\n").arg(element);
        return id;
    }

    // The value of a fill or stroke attribute for a brush, and its opacity attribute.
    QString paint(const QBrush &brush, const char *what)
    {
        switch (brush.style()) {
        case Qt::NoBrush:
            return QStringLiteral(" %1=\"none\"").arg(QLatin1String(what));
        case Qt::LinearGradientPattern:
        case Qt::RadialGradientPattern:
            return QStringLiteral(" %1=\"url(#%2)\"")
                .arg(QLatin1String(what), writeGradient(*brush.gradient(), brush.transform()));
        default: {
            // Solid, and what SVG has no pattern for: its colour.
            QString text = QStringLiteral(" %1=\"%2\"").arg(QLatin1String(what), colourText(brush.color()));
            if (brush.color().alpha() < 255)
                text += QStringLiteral(" %1-opacity=\"%2\"").arg(QLatin1String(what), number(brush.color().alphaF()));
            return text;
        }
        }
    }

    QString strokeAttributes(const QPen &pen)
    {
        if (pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush)
            return QStringLiteral(" stroke=\"none\"");
        QString text = paint(pen.brush(), "stroke");
        const double width = pen.widthF() > 0 ? pen.widthF() : 1;
        text += QStringLiteral(" stroke-width=\"%1\"").arg(number(width));
        if (pen.isCosmetic())
            text += QStringLiteral(" vector-effect=\"non-scaling-stroke\"");
        switch (pen.capStyle()) {
        case Qt::SquareCap:
            text += QStringLiteral(" stroke-linecap=\"square\"");
            break;
        case Qt::RoundCap:
            text += QStringLiteral(" stroke-linecap=\"round\"");
            break;
        default:
            break;
        }
        switch (pen.joinStyle()) {
        case Qt::BevelJoin:
            text += QStringLiteral(" stroke-linejoin=\"bevel\"");
            break;
        case Qt::RoundJoin:
            text += QStringLiteral(" stroke-linejoin=\"round\"");
            break;
        default:
            text += QStringLiteral(" stroke-miterlimit=\"%1\"").arg(number(std::max(1.0, pen.miterLimit())));
            break;
        }
        if (pen.style() != Qt::SolidLine) {
            QStringList dashes;
            for (double dash : pen.dashPattern())
                dashes.append(number(dash * width));
            if (!dashes.isEmpty())
                text += QStringLiteral(" stroke-dasharray=\"%1\"").arg(dashes.join(QLatin1Char(' ')));
            if (pen.dashOffset() != 0)
                text += QStringLiteral(" stroke-dashoffset=\"%1\"").arg(number(pen.dashOffset() * width));
        }
        return text;
    }

    void writePath(const QPainterPath &path, const QBrush &brush, const QPen &pen)
    {
        if (path.isEmpty())
            return;
        openGroup();
        // Definitions first: a gradient is written before the path that names it.
        QString attributes = paint(brush, "fill");
        if (brush.style() != Qt::NoBrush && path.fillRule() == Qt::OddEvenFill)
            attributes += QStringLiteral(" fill-rule=\"evenodd\"");
        attributes += strokeAttributes(pen);
        body_ += QStringLiteral("<path d=\"%1\"%2%3%4/>\n")
                     .arg(pathData(path), attributes, transformAttribute(), opacityAttribute());
    }

    QSize size_;
    QString body_;
    QByteArray document_;
    int nextId_ = 0;
    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    double opacity_ = 1;
    QPainterPath clip_; // in the document's coordinates
    bool clipEnabled_ = false;
    bool groupOpen_ = false;
};

namespace play {

SvgPaintDevice::SvgPaintDevice(QSize size)
    : size_(size)
    , engine_(std::make_unique<SvgPaintEngine>(size))
{
}

SvgPaintDevice::~SvgPaintDevice() = default;

QByteArray SvgPaintDevice::data() const
{
    return engine_->document();
}

QPaintEngine *SvgPaintDevice::paintEngine() const
{
    return engine_.get();
}

int SvgPaintDevice::metric(PaintDeviceMetric metric) const
{
    constexpr int kDpi = 96;
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return qRound(size_.width() * 25.4 / kDpi);
    case PdmHeightMM:
        return qRound(size_.height() * 25.4 / kDpi);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return kDpi;
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}

} // namespace play
