#include "e2e/westonsession.h"

#include "e2e/xsession.h"

#include <QColor>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRect>
#include <QRegularExpression>
#include <QThread>

namespace {

// A desktop of one colour (kDesktop), no panel, no screen lock, no blanking.
const char *const kConfig = "[core]\n"
                            "idle-time=0\n"
                            "\n"
                            "[shell]\n"
                            "background-color=0xff3070a0\n"
                            "background-image=\n"
                            "panel-position=none\n"
                            "locking=false\n";

bool showsDesktop(const QImage &image)
{
    return !image.isNull() && WestonSession::isDesktop(image.pixel(image.width() / 2, image.height() / 2));
}

} // namespace

WestonSession::WestonSession(X x, QSize screen)
{
    if (!runtime_.isValid() || !data_.isValid() || !work_.isValid())
        return;
    QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile config(work_.filePath(QStringLiteral("weston.ini")));
    if (!config.open(QIODevice::WriteOnly) || config.write(kConfig) < 0)
        return;
    config.close();

    const QString log = work_.filePath(QStringLiteral("weston.log"));
    QStringList arguments { QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--use-pixman"),
        QStringLiteral("--width=%1").arg(screen.width()), QStringLiteral("--height=%1").arg(screen.height()),
        QStringLiteral("--socket=") + socket_, QStringLiteral("--config=") + config.fileName(),
        QStringLiteral("--log=") + log,
        // Screenshots need the debug protocols.
        QStringLiteral("--debug") };
    if (x == X::WithXWayland)
        arguments << QStringLiteral("--xwayland");

    weston_ = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("DISPLAY"));
    weston_->setProcessEnvironment(env);
    weston_->setProcessChannelMode(QProcess::MergedChannels);
    weston_->start(QStringLiteral("weston"), arguments);
    if (!weston_->waitForStarted(10000))
        return;

    // XWayland starts when its first client connects; Weston names its display at once.
    QDeadlineTimer deadline(15000);
    if (x == X::WithXWayland) {
        const QRegularExpression listening(QStringLiteral("xserver listening on display (:\\d+)"));
        while (xDisplay_.isEmpty() && !deadline.hasExpired() && weston_->state() == QProcess::Running) {
            QFile file(log);
            if (file.open(QIODevice::ReadOnly)) {
                const QRegularExpressionMatch match = listening.match(QString::fromUtf8(file.readAll()));
                if (match.hasMatch())
                    xDisplay_ = match.captured(1);
            }
            if (xDisplay_.isEmpty())
                QThread::msleep(100);
        }
        if (xDisplay_.isEmpty())
            return;
    }
    // Ready once the shell has drawn the desktop.
    ok_ = showsDesktop(waitForScreen(showsDesktop, int(deadline.remainingTime())));
}

WestonSession::~WestonSession()
{
    // Weston ends its shell clients and XWayland itself.
    endSession(processes_, weston_.get(), 5000);
}

QProcessEnvironment WestonSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), data_.path());
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), socket_);
    env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    if (xDisplay_.isEmpty())
        env.remove(QStringLiteral("DISPLAY"));
    else
        env.insert(QStringLiteral("DISPLAY"), xDisplay_);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return env;
}

QProcess *WestonSession::start(
    const QString &program, const QStringList &arguments, const QProcessEnvironment &overrides)
{
    return startClient(processes_, environment(), program, arguments, overrides);
}

QProcess *WestonSession::startProgram(const QStringList &arguments, const QProcessEnvironment &overrides)
{
    return start(QStringLiteral(HOOPWRIGHT_EXECUTABLE), arguments, overrides);
}

QImage WestonSession::screenshot()
{
    // weston-screenshooter writes wayland-screenshot-<time>.png into its working folder.
    QTemporaryDir folder;
    QProcess shooter;
    shooter.setProcessEnvironment(environment());
    shooter.setWorkingDirectory(folder.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(10000)) {
        shooter.kill();
        shooter.waitForFinished(2000);
        return {};
    }
    const QStringList shots = QDir(folder.path()).entryList({ QStringLiteral("*.png") }, QDir::Files);
    if (shots.size() != 1)
        return {};
    return QImage(folder.filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
}

QImage WestonSession::waitForScreen(bool (*test)(const QImage &), int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QImage shot;
    do {
        shot = screenshot();
        if (test(shot))
            break;
        pause(100);
    } while (!deadline.hasExpired());
    return shot;
}

void WestonSession::pause(int ms)
{
    QThread::msleep(ms);
}

bool WestonSession::isDesktop(QRgb c)
{
    const QColor desktop = QColor::fromRgb(kDesktop);
    return qAbs(qRed(c) - desktop.red()) <= 4 && qAbs(qGreen(c) - desktop.green()) <= 4
        && qAbs(qBlue(c) - desktop.blue()) <= 4;
}

int WestonSession::count(const QImage &image, const QRect &rect, bool (*test)(QRgb))
{
    const QRect inside = rect & image.rect();
    int n = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}
