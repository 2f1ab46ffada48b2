#include "play/playcheck.h"

#include "play/motion.h"
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
            continue;
        }
        // A play that reads may still have actions that cannot run as drawn.
        for (int step = 0; step < result.play.steps.size(); ++step) {
            if (const QString fault = checkActions(result.play, step); !fault.isEmpty()) {
                out << path << ": " << fault << Qt::endl;
                status = 1;
                break;
            }
        }
    }
    return status;
}

} // namespace play
