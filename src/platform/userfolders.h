#pragma once

#include <QString>

namespace platform {

// The user's data folder: $XDG_DATA_HOME when it is an absolute path (a relative one is
// ignored), otherwise ~/.local/share, with the home folder from the password database when
// $HOME is unset or relative.
QString dataFolder();

// Where the single-instance lock called name goes: on Windows the user's local application
// data; elsewhere the user's runtime folder, or, when there is none the user owns, a file in
// the temporary folder whose name carries the user id, so that each user has a lock of
// their own.
QString lockFilePath(const QString &name);

} // namespace platform
