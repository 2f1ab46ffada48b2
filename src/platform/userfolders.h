#pragma once

#include <QString>

namespace platform {

// The user's data folder: $XDG_DATA_HOME when it is an absolute path (a relative one is
// ignored), otherwise ~/.local/share, with the home folder from the password database when
// $HOME is unset or relative.
QString dataFolder();

// Where the single-instance lock file called name goes (Linux): the user's runtime folder
// when it is the user's own and nobody else may write into it, otherwise a file in the
// temporary folder whose name carries the user id, so that each user has a lock of their own.
QString lockFilePath(const QString &name);

} // namespace platform
