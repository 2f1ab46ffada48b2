#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

// Starts a client of a test session in the session's environment, with the overrides on
// top; the session keeps it, to end it with the others.
QProcess *startClient(std::vector<std::unique_ptr<QProcess>> &clients, QProcessEnvironment environment,
    const QString &program, const QStringList &arguments, const QProcessEnvironment &overrides);

// An X display that no server serves: ":N" with neither a socket nor a lock file.
QString absentDisplay();

// Ends a session's clients, newest first, then asks its display server to end, killing it
// when it has not within the grace time.
void endSession(std::vector<std::unique_ptr<QProcess>> &clients, QProcess *server, int serverGraceMs);

// A real X session for end-to-end tests: its own Xvfb on a free display (1600 x 900,
// 24-bit), openbox as the window manager and xcompmgr as the compositor, with fresh
// XDG_DATA_HOME and XDG_RUNTIME_DIR. Drives programs through xdotool, reads windows
// with xprop and takes screenshots with ImageMagick's import.
class XSession {
public:
    // anyClient: clients of any user may connect (for a program run as another user);
    // compositor: xcompmgr runs (without it, only the X shape of a window cuts it).
    explicit XSession(QSize screen = QSize(1600, 900), bool anyClient = false, bool compositor = true);
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    bool ok() const { return ok_; }
    QString display() const { return display_; }
    QString dataHome() const { return data_.path(); }
    QString runtimeDir() const { return runtime_.path(); }

    // Starts the program under test in the session.
    QProcess *startProgram(const QStringList &arguments = {});
    QProcess *start(const QString &program, const QStringList &arguments = {},
        const QProcessEnvironment &overrides = QProcessEnvironment());

    // Runs a command in the session and returns its standard output (trimmed).
    QString run(const QString &program, const QStringList &arguments, int timeoutMs = 20000);

    // The first visible window whose title matches exactly, waiting up to timeoutMs;
    // empty when none came.
    QString waitForWindow(const QString &title, int timeoutMs = 15000);
    bool waitForNoWindow(const QString &title, int timeoutMs = 15000);
    // The first visible window of the given X class (the program's own: "hoopwright").
    QString waitForClass(const QString &windowClass, int timeoutMs = 15000);
    // The top-level window that the pointer is over, as X hit-tests it.
    QString windowUnderPointer();
    QRect geometry(const QString &window);
    QString title(const QString &window);

    // _NET_WM_WINDOW_OPACITY on the 0..255 scale; -1 when the window has none.
    int opacity(const QString &window);

    // Real X input.
    void activate(const QString &window);
    void key(const QString &keys);
    void click(int x, int y, int button = 1);
    void mouseDown(int button = 1);
    void mouseUp(int button = 1);
    void moveTo(int x, int y);
    // Drags with the button held in several small steps.
    void drag(QPoint from, QPoint to, int steps = 12, int button = 1);

    QImage screenshot();
    // How many pixels within radius of a point pass the test.
    static int countNear(const QImage &image, QPoint centre, int radius, bool (*test)(QRgb));
    QRgb pixel(int x, int y) { return screenshot().pixel(x, y); }

    static bool waitForExit(QProcess *process, int timeoutMs);
    static void pause(int ms);

private:
    QProcessEnvironment environment() const;
    QString findWindow(const QString &title);

    bool ok_ = false;
    QString display_;
    QTemporaryDir data_;
    QTemporaryDir runtime_;
    std::unique_ptr<QProcess> xvfb_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};
