#include "play/playfile.h"

// Placeholder until the reader and writer land.
namespace play {

QByteArray toJson(const Play &)
{
    return {};
}

ReadResult fromJson(const QByteArray &)
{
    return { {}, QStringLiteral("not implemented") };
}

ReadResult readPlayFile(const QString &)
{
    return { {}, QStringLiteral("not implemented") };
}

QString writePlayFile(const Play &, const QString &)
{
    return QStringLiteral("not implemented");
}

} // namespace play
