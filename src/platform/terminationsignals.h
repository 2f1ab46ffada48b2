#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform {

// Turns SIGTERM, SIGINT and SIGHUP into a signal of the event loop, so that the program
// can end the ordinary way (a session logging out, kill, Ctrl+C in a terminal). A second
// one that comes before the event loop took the first ends the process at once, so that a
// program that hangs can still be ended. A signal the process was started with ignored
// (nohup) stays ignored. One object at a time.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received();

private:
    void readPipe();

    QSocketNotifier *notifier_ = nullptr;
};

} // namespace platform
