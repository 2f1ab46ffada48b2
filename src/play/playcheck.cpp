#include "play/playcheck.h"

#include "play/playfile.h"

#include <QTextStream>

namespace play {

int checkPlayFiles(const QStringList &paths, QTextStream &out)
{
    int status = 0;
    for (const QString &path : paths) {
        const ReadResult result = readPlayFile(path);
        if (!result.ok()) {
            out << path << ": " << result.error << Qt::endl;
            status = 1;
        }
    }
    return status;
}

} // namespace play
