#pragma once

#include <QImage>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

// A Wayland session for end-to-end tests: Weston's headless backend with its pixman
// renderer, so that it draws into memory and screenshots show what a screen would, on a
// plain desktop of one colour with no panel. With XWayland the session also offers an X
// display, as GNOME's and KDE's sessions do. Weston runs in its own XDG_RUNTIME_DIR, so it
// meets no other session; programs started in it get a fresh XDG_DATA_HOME.
class WestonSession {
public:
    // The colour of the desktop wherever no window covers it.
    static constexpr QRgb kDesktop = 0xff3070a0;

    enum class X { Without, WithXWayland };
    explicit WestonSession(X x, QSize screen = QSize(1600, 900));
    ~WestonSession();
    WestonSession(const WestonSession &) = delete;
    WestonSession &operator=(const WestonSession &) = delete;

    bool ok() const { return ok_; }
    QString waylandDisplay() const { return socket_; }
    // The X display XWayland serves (":N"); empty without XWayland.
    QString xDisplay() const { return xDisplay_; }
    QString dataHome() const { return data_.path(); }

    // Starts a program as a client of the session, with the environment a desktop session
    // gives it: WAYLAND_DISPLAY, DISPLAY when there is XWayland, XDG_SESSION_TYPE=wayland
    // and no QT_QPA_PLATFORM.
    QProcess *startProgram(
        const QStringList &arguments = {}, const QProcessEnvironment &overrides = QProcessEnvironment());
    QProcess *start(const QString &program, const QStringList &arguments = {},
        const QProcessEnvironment &overrides = QProcessEnvironment());

    // The whole screen as Weston composes it; a null image when the screenshot failed.
    QImage screenshot();
    // Takes screenshots until one passes the test or timeoutMs has passed; returns the last.
    QImage waitForScreen(bool (*test)(const QImage &), int timeoutMs = 15000);

    static void pause(int ms);
    static bool isDesktop(QRgb c);
    // How many pixels of the rectangle pass the test.
    static int count(const QImage &image, const QRect &rect, bool (*test)(QRgb));

private:
    QProcessEnvironment environment() const;

    bool ok_ = false;
    QString socket_ = QStringLiteral("wayland-test");
    QString xDisplay_;
    QTemporaryDir runtime_;
    QTemporaryDir data_;
    QTemporaryDir work_;
    std::unique_ptr<QProcess> weston_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};
