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

    bool isEnabled() const { return timer_.isActive(); }
    void setEnabled(bool enabled);

signals:
    void ticked();

private:
    QTimer timer_;
};

} // namespace platform
