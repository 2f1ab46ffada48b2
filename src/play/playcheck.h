#pragma once

#include <QStringList>

class QTextStream;

// The headless check of play files (`hoopwright-playbook --check FILE...`).
namespace play {

// Reads each file as the editor would open it, checks that its steps' actions can run as
// drawn (checkActions), and writes one line for each file that is wrong, "FILE: what is
// wrong", naming the file as given. Nothing is written for a good file.
// Returns 0 when every file is good (also when there are none; the caller decides whether
// that is a mistake of use), 1 otherwise.
int checkPlayFiles(const QStringList &paths, QTextStream &out);

} // namespace play
