#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// D-Bus finds the desktop's session bus through DBUS_SESSION_BUS_ADDRESS, then at
// $XDG_RUNTIME_DIR/bus. Failing both it starts a bus of its own with dbus-launch, forking the
// whole program to run it, and does so even where dbus-launch is not installed. The fork
// costs the program the time of copying its memory map, and every page it writes afterwards
// faults once: a good part of a start, spent to learn that there is no bus.
namespace sessionbus {

// Whether a program started with this environment reaches a session bus or can start one.
// launchers are the places D-Bus itself runs dbus-launch from; the PATH is searched as well.
bool reachable(const QProcessEnvironment &environment, const QStringList &launchers);

// Where no session bus can be reached, says so in this process's environment before anything
// asks for the bus: the first connection then fails at once. Elsewhere changes nothing.
void markUnreachable();

} // namespace sessionbus
