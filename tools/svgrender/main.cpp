// Renders one SVG artwork source to a PNG of a given pixel size, or to a Windows icon file.
//
//   svgrender [--font FILE]... [--grey | --palette] SOURCE.svg OUTPUT.png WIDTH HEIGHT
//   svgrender [--font FILE]... --ico SOURCE.svg OUTPUT.ico
//   svgrender [--font FILE]... --picture SOURCE.svg OUTPUT.pic WIDTH HEIGHT
//
// Fonts given with --font are registered first, so lettering in the artwork can name the
// same faces that the program embeds. The result is opaque unless the source draws
// transparency itself (icons keep their alpha channel). --grey writes shades of grey only,
// --palette at most 256 colours: artwork that the program keeps at one byte a pixel.
//
// --picture records the drawing itself, as a QPicture filling WIDTH x HEIGHT units: vector
// artwork that a program plays back at any size with Qt GUI alone, with no SVG parser.
//
// An icon file holds thirteen images: 16, 24, 32 and 48 pixels at 16 and at 256 colours,
// and 16, 24, 32, 48 and 128 pixels at 32-bit colour with transparency, each stored as PNG.
#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QStringList>
#include <QSvgRenderer>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

namespace {

QImage render(QSvgRenderer &renderer, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(0, 0, width, height));
    return image;
}

struct IconImage {
    int size;
    int colours; // 16, 256, or 0 for 32-bit with alpha
};

// Fewer colours: the transparent pixels keep one palette entry of their own.
QImage reduce(const QImage &image, int colours)
{
    QImage opaque = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < opaque.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(opaque.scanLine(y));
        for (int x = 0; x < opaque.width(); ++x)
            line[x] = qAlpha(line[x]) < 128 ? qRgba(0, 0, 0, 0) : (line[x] | 0xff000000u);
    }
    QImage indexed = opaque.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither);
    if (indexed.colorCount() > colours) {
        // Keep the most used colours, mapping every pixel to the nearest of them.
        std::vector<int> use(indexed.colorCount(), 0);
        for (int y = 0; y < indexed.height(); ++y)
            for (int x = 0; x < indexed.width(); ++x)
                ++use[indexed.pixelIndex(x, y)];
        std::vector<int> order(use.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = int(i);
        std::sort(order.begin(), order.end(), [&](int a, int b) { return use[a] > use[b]; });
        QList<QRgb> palette;
        for (int i = 0; i < colours; ++i)
            palette.append(indexed.color(order[i]));
        indexed = opaque.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
    }
    return indexed;
}

// At most 256 colours without dithering noise: every shade of grey the artwork needs, the
// blends of its most used other colours with white and black, then the next most used
// colours; each pixel takes the nearest.
QImage paletteImage(const QImage &opaque)
{
    QHash<QRgb, int> use;
    for (int y = 0; y < opaque.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(opaque.constScanLine(y));
        for (int x = 0; x < opaque.width(); ++x)
            ++use[line[x] | 0xff000000u];
    }
    QList<QRgb> byUse = use.keys();
    std::sort(byUse.begin(), byUse.end(), [&](QRgb a, QRgb b) { return use[a] > use[b]; });
    QList<QRgb> palette;
    auto add = [&](QRgb c) {
        if (palette.size() < 256 && !palette.contains(c))
            palette.append(c);
    };
    for (int g = 0; g < 256; g += 2)
        add(qRgb(g, g, g));
    int hues = 0;
    for (QRgb c : byUse) {
        if (hues == 2)
            break;
        if (qAbs(qRed(c) - qGreen(c)) < 24 && qAbs(qGreen(c) - qBlue(c)) < 24)
            continue;
        ++hues;
        for (int step = 1; step <= 24; ++step) {
            const double t = step / 24.0;
            add(qRgb(int(qRed(c) + (255 - qRed(c)) * t), int(qGreen(c) + (255 - qGreen(c)) * t),
                int(qBlue(c) + (255 - qBlue(c)) * t)));
            add(qRgb(int(qRed(c) * (1 - t)), int(qGreen(c) * (1 - t)), int(qBlue(c) * (1 - t))));
        }
        add(c);
    }
    for (QRgb c : byUse)
        add(c);
    QImage indexed(opaque.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    QHash<QRgb, uchar> nearest;
    for (int y = 0; y < opaque.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(opaque.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < opaque.width(); ++x) {
            const QRgb c = line[x] | 0xff000000u;
            auto found = nearest.constFind(c);
            if (found == nearest.constEnd()) {
                int best = 0, bestDistance = INT_MAX;
                for (int i = 0; i < palette.size(); ++i) {
                    const int dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
                              db = qBlue(c) - qBlue(palette[i]);
                    const int distance = dr * dr + dg * dg + db * db;
                    if (distance < bestDistance) {
                        bestDistance = distance;
                        best = i;
                    }
                }
                found = nearest.insert(c, uchar(best));
            }
            out[x] = *found;
        }
    }
    return indexed;
}

bool writeIcon(QSvgRenderer &renderer, const QString &output)
{
    const IconImage images[] = { { 16, 16 }, { 24, 16 }, { 32, 16 }, { 48, 16 }, { 16, 256 }, { 24, 256 }, { 32, 256 },
        { 48, 256 }, { 16, 0 }, { 24, 0 }, { 32, 0 }, { 48, 0 }, { 128, 0 } };
    std::vector<QByteArray> payloads;
    for (const IconImage &entry : images) {
        QImage image = render(renderer, entry.size, entry.size);
        image = entry.colours ? reduce(image, entry.colours) : image.convertToFormat(QImage::Format_ARGB32);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return false;
        payloads.push_back(png);
    }
    QFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint16 count = quint16(std::size(images));
    out << quint16(0) << quint16(1) << count;
    quint32 offset = 6 + 16 * count;
    for (size_t i = 0; i < payloads.size(); ++i) {
        const IconImage &entry = images[i];
        out << quint8(entry.size) << quint8(entry.size) << quint8(entry.colours == 16 ? 16 : 0) << quint8(0)
            << quint16(1)
            << quint16(entry.colours == 16    ? 4
                       : entry.colours == 256 ? 8
                                              : 32)
            << quint32(payloads[i].size()) << offset;
        offset += quint32(payloads[i].size());
    }
    for (const QByteArray &png : payloads)
        out.writeRawData(png.constData(), int(png.size()));
    return out.status() == QDataStream::Ok;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    while (args.size() >= 2 && args.first() == QLatin1String("--font")) {
        QFontDatabase::addApplicationFont(args.at(1));
        args = args.mid(2);
    }
    const bool icon = !args.isEmpty() && args.first() == QLatin1String("--ico");
    if (icon)
        args.removeFirst();
    const bool picture = !icon && !args.isEmpty() && args.first() == QLatin1String("--picture");
    if (picture)
        args.removeFirst();
    const bool grey = !args.isEmpty() && args.first() == QLatin1String("--grey");
    const bool palette = !args.isEmpty() && args.first() == QLatin1String("--palette");
    if (grey || palette)
        args.removeFirst();
    if (args.size() != (icon ? 2 : 4)) {
        std::fprintf(stderr,
            "usage: svgrender [--font FILE]... [--grey | --palette] SOURCE.svg OUTPUT.png WIDTH HEIGHT\n"
            "       svgrender [--font FILE]... --ico SOURCE.svg OUTPUT.ico\n"
            "       svgrender [--font FILE]... --picture SOURCE.svg OUTPUT.pic WIDTH HEIGHT\n");
        return 2;
    }
    QSvgRenderer renderer(args.at(0));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "svgrender: cannot read %s\n", qPrintable(args.at(0)));
        return 1;
    }
    if (icon) {
        if (!writeIcon(renderer, args.at(1))) {
            std::fprintf(stderr, "svgrender: cannot write %s\n", qPrintable(args.at(1)));
            return 1;
        }
        return 0;
    }
    const int width = args.at(2).toInt();
    const int height = args.at(3).toInt();
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "svgrender: bad size %sx%s\n", qPrintable(args.at(2)), qPrintable(args.at(3)));
        return 2;
    }
    if (picture) {
        QPicture recording;
        QPainter painter(&recording);
        renderer.render(&painter, QRectF(0, 0, width, height));
        painter.end();
        if (!recording.save(args.at(1))) {
            std::fprintf(stderr, "svgrender: cannot write %s\n", qPrintable(args.at(1)));
            return 1;
        }
        return 0;
    }
    QImage image = render(renderer, width, height);
    if (grey || palette) {
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter(&opaque).drawImage(0, 0, image);
        image = grey ? opaque.convertToFormat(QImage::Format_Grayscale8) : paletteImage(opaque);
    }
    if (!image.save(args.at(1), "PNG")) {
        std::fprintf(stderr, "svgrender: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
