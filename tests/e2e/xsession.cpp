#include "e2e/xsession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <cstdio>

XSession::XSession(QSize screen, bool anyClient, bool compositor)
{
    QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    xvfb_ = std::make_unique<QProcess>();
    xvfb_->setProgram(QStringLiteral("Xvfb"));
    // -displayfd picks a free display and writes its number once the server is ready.
    xvfb_->setArguments({ QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
        QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
        QStringLiteral("-nolisten"), QStringLiteral("tcp") });
    if (anyClient)
        xvfb_->setArguments(xvfb_->arguments() << QStringLiteral("-ac"));
    xvfb_->setProcessChannelMode(QProcess::SeparateChannels);
    xvfb_->start();
    if (!xvfb_->waitForStarted(10000))
        return;
    QByteArray number;
    QDeadlineTimer deadline(15000);
    while (!number.contains('\n') && !deadline.hasExpired()) {
        xvfb_->waitForReadyRead(200);
        number += xvfb_->readAllStandardOutput();
    }
    if (!number.contains('\n'))
        return;
    display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    start(QStringLiteral("openbox"));
    if (compositor)
        start(QStringLiteral("xcompmgr"));
    pause(800);
    ok_ = true;
}

QString absentDisplay()
{
    for (int number = 900;; ++number) {
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))
            && !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            return QStringLiteral(":%1").arg(number);
    }
}

QProcess *startClient(std::vector<std::unique_ptr<QProcess>> &clients, QProcessEnvironment environment,
    const QString &program, const QStringList &arguments, const QProcessEnvironment &overrides)
{
    auto process = std::make_unique<QProcess>();
    for (const QString &key : overrides.keys())
        environment.insert(key, overrides.value(key));
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(program, arguments);
    process->waitForStarted(10000);
    clients.push_back(std::move(process));
    return clients.back().get();
}

void endSession(std::vector<std::unique_ptr<QProcess>> &clients, QProcess *server, int serverGraceMs)
{
    for (auto it = clients.rbegin(); it != clients.rend(); ++it) {
        QProcess *p = it->get();
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(3000);
        }
    }
    if (server && server->state() != QProcess::NotRunning) {
        server->terminate();
        if (!server->waitForFinished(serverGraceMs)) {
            server->kill();
            server->waitForFinished(3000);
        }
    }
}

XSession::~XSession()
{
    endSession(processes_, xvfb_.get(), 3000);
}

QProcessEnvironment XSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("XDG_DATA_HOME"), data_.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

QProcess *XSession::start(const QString &program, const QStringList &arguments, const QProcessEnvironment &overrides)
{
    return startClient(processes_, environment(), program, arguments, overrides);
}

QProcess *XSession::startProgram(const QStringList &arguments)
{
    return start(QStringLiteral(HOOPWRIGHT_EXECUTABLE), arguments);
}

QString XSession::run(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(2000);
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString XSession::findWindow(const QString &title)
{
    const QString pattern = QStringLiteral("^") + QRegularExpression::escape(title) + QStringLiteral("$");
    const QString found = run(QStringLiteral("xdotool"),
        { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern });
    return found.split(QLatin1Char('\n')).first().trimmed();
}

QString XSession::waitForWindow(const QString &title, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        const QString found = findWindow(title);
        if (!found.isEmpty())
            return found;
        pause(100);
    } while (!deadline.hasExpired());
    return {};
}

bool XSession::waitForNoWindow(const QString &title, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        if (findWindow(title).isEmpty())
            return true;
        pause(100);
    } while (!deadline.hasExpired());
    return false;
}

QString XSession::waitForClass(const QString &windowClass, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        const QString found = run(QStringLiteral("xdotool"),
            { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--class"), windowClass });
        if (!found.isEmpty())
            return found.split(QLatin1Char('\n')).first().trimmed();
        pause(50);
    } while (!deadline.hasExpired());
    return {};
}

QString XSession::windowUnderPointer()
{
    const QString out
        = run(QStringLiteral("xdotool"), { QStringLiteral("getmouselocation"), QStringLiteral("--shell") });
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("WINDOW=(\\d+)")).match(out);
    return m.hasMatch() ? m.captured(1) : QString();
}

QRect XSession::geometry(const QString &window)
{
    const QString out
        = run(QStringLiteral("xdotool"), { QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window });
    int x = 0, y = 0, w = 0, h = 0;
    for (const QString &line : out.split(QLatin1Char('\n'))) {
        const QStringList kv = line.split(QLatin1Char('='));
        if (kv.size() != 2)
            continue;
        if (kv[0] == QLatin1String("X"))
            x = kv[1].toInt();
        else if (kv[0] == QLatin1String("Y"))
            y = kv[1].toInt();
        else if (kv[0] == QLatin1String("WIDTH"))
            w = kv[1].toInt();
        else if (kv[0] == QLatin1String("HEIGHT"))
            h = kv[1].toInt();
    }
    return QRect(x, y, w, h);
}

QString XSession::title(const QString &window)
{
    return run(QStringLiteral("xdotool"), { QStringLiteral("getwindowname"), window });
}

int XSession::opacity(const QString &window)
{
    // The property sits on the client window or, once reparented, on the frame around it.
    QString id = window;
    for (int hop = 0; hop < 3; ++hop) {
        const QString out
            = run(QStringLiteral("xprop"), { QStringLiteral("-id"), id, QStringLiteral("_NET_WM_WINDOW_OPACITY") });
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("= (\\d+)")).match(out);
        if (m.hasMatch())
            return int(qRound(m.captured(1).toDouble() / 0xffffffffu * 255.0));
        const QString tree = run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), id, QStringLiteral("-tree") });
        const QRegularExpressionMatch parent
            = QRegularExpression(QStringLiteral("Parent window id: (0x[0-9a-f]+)")).match(tree);
        if (!parent.hasMatch())
            break;
        id = parent.captured(1);
    }
    return -1;
}

void XSession::activate(const QString &window)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("windowactivate"), QStringLiteral("--sync"), window });
}

void XSession::key(const QString &keys)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys });
}

void XSession::moveTo(int x, int y)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("mousemove"), QString::number(x), QString::number(y) });
}

void XSession::mouseDown(int button)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("mousedown"), QString::number(button) });
}

void XSession::mouseUp(int button)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("mouseup"), QString::number(button) });
}

void XSession::click(int x, int y, int button)
{
    moveTo(x, y);
    pause(100);
    run(QStringLiteral("xdotool"), { QStringLiteral("click"), QString::number(button) });
}

void XSession::drag(QPoint from, QPoint to, int steps, int button)
{
    moveTo(from.x(), from.y());
    pause(80);
    mouseDown(button);
    pause(80);
    for (int i = 1; i <= steps; ++i) {
        const QPoint at = from + (to - from) * i / steps;
        moveTo(at.x(), at.y());
        pause(30);
    }
    pause(80);
    mouseUp(button);
    pause(150);
}

QImage XSession::screenshot()
{
    const QString file = data_.filePath(QStringLiteral("shot.png"));
    run(QStringLiteral("import"), { QStringLiteral("-window"), QStringLiteral("root"), file });
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

int XSession::countNear(const QImage &image, QPoint centre, int radius, bool (*test)(QRgb))
{
    int count = 0;
    for (int y = centre.y() - radius; y <= centre.y() + radius; ++y) {
        for (int x = centre.x() - radius; x <= centre.x() + radius; ++x) {
            if (image.rect().contains(x, y) && test(image.pixel(x, y)))
                ++count;
        }
    }
    return count;
}

bool XSession::waitForExit(QProcess *process, int timeoutMs)
{
    return process->state() == QProcess::NotRunning || process->waitForFinished(timeoutMs);
}

void XSession::pause(int ms)
{
    QThread::msleep(ms);
}
