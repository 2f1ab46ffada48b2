#include "resources/resources.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace resources {

void registerFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Only the regular Tahoma: the packaged bold face draws hardly heavier than it, and Qt
    // emboldens the regular face instead.
    for (const char *file : { "tahoma.ttf", "ms_sans_serif.ttf", "pagella-regular.otf" })
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/") + QLatin1String(file));
    // Palatino Linotype is met by a face with the same metrics under its own family name.
    QFont::insertSubstitution(QStringLiteral("Palatino Linotype"), QStringLiteral("TeX Gyre Pagella"));
}

namespace {

QImage image(const char *name)
{
    const QString base = QStringLiteral(":/art/") + QLatin1String(name);
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QImage sharp(base + QStringLiteral("@2x.png"));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QImage(base + QStringLiteral(".png"));
}

} // namespace

QPixmap picture(const char *name)
{
    return QPixmap::fromImage(image(name));
}

QImage compactPicture(const char *name)
{
    return image(name);
}

QPixmap stretchedPicture(const char *name, QSize size)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QImage stretched = image(name).scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    stretched.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(stretched);
}

QIcon icon(const char *name)
{
    const QString base = QStringLiteral(":/art/") + QLatin1String(name);
    if (QFile::exists(base + QStringLiteral(".ico")))
        return QIcon(base + QStringLiteral(".ico"));
    QIcon result;
    for (int size : { 16, 24, 32, 48, 64, 128, 256 }) {
        const QString file = base + QStringLiteral("-%1.png").arg(size);
        if (QFile::exists(file))
            result.addFile(file, QSize(size, size));
    }
    if (result.isNull())
        result.addFile(base + QStringLiteral(".png"));
    return result;
}

QString text(const char *name)
{
    QFile file(QStringLiteral(":/text/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace resources
