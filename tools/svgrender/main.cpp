// Renders one SVG artwork source to a PNG of a given pixel size.
//
//   svgrender [--font FILE]... SOURCE.svg OUTPUT.png WIDTH HEIGHT
//
// Fonts given with --font are registered first, so lettering in the artwork can name the
// same faces that the program embeds. The result is opaque unless the source draws
// transparency itself (icons keep their alpha channel).
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    while (args.size() >= 2 && args.first() == QLatin1String("--font")) {
        QFontDatabase::addApplicationFont(args.at(1));
        args = args.mid(2);
    }
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: svgrender [--font FILE]... SOURCE.svg OUTPUT.png WIDTH HEIGHT\n");
        return 2;
    }
    QSvgRenderer renderer(args.at(0));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "svgrender: cannot read %s\n", qPrintable(args.at(0)));
        return 1;
    }
    const int width = args.at(2).toInt();
    const int height = args.at(3).toInt();
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "svgrender: bad size %sx%s\n", qPrintable(args.at(2)), qPrintable(args.at(3)));
        return 2;
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, width, height));
    }
    if (!image.save(args.at(1), "PNG")) {
        std::fprintf(stderr, "svgrender: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
