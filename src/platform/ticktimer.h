#pragma once

#include <QObject>
#include <QTimer>

namespace platform {

// The one timer of the program. Its ticks come at the system tick, not every millisecond:
// the fades and the loading animation count ticks, and their durations follow this pace.
class TickTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kPeriodMs = 14;

    explicit TickTimer(QObject *parent = nullptr);

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // With the clock held, an enabled timer never ticks by itself: whoever holds the clock
    // (a test) emits ticked() when it wants a tick. For every timer made afterwards.
    static void holdClock(bool held);

signals:
    void ticked();

private:
    QTimer timer_;
    bool enabled_ = false;
};

} // namespace platform
