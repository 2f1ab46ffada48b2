#pragma once

#include "e2e/xsession.h"

#include <QPoint>
#include <QProcess>
#include <QString>
#include <functional>

// The jerseys' number ovals as a screenshot shows them.
bool isAllyRed(QRgb c);
bool isEnemyBlue(QRgb c);
// The play designer's ball, lit to shaded.
bool isBallOrange(QRgb c);

// Polls until the condition holds; false when it did not within the time.
bool waitFor(const std::function<bool()> &condition, int timeoutMs = 3000);

// The first-use record under an XDG_DATA_HOME, and writing one for a first run daysAgo.
QString recordPath(const QString &dataHome);
void writeRecord(const QString &dataHome, int daysAgo);

// Knows the program's screens: how to reach the main window and where its controls are.
struct Driver {
    static const QString kMainCaption;

    explicit Driver(XSession &session)
        : x(session)
    {
    }

    // Starts the program as on a later run (a first-use record dated daysAgo) and follows
    // it through the loading screen to its main window; false if it never came.
    bool startToMainWindow(int daysAgo = 0);

    // Finds the strip of label-buttons of a main window that is up.
    bool findStrip();

    // Writes a first-use record for a first run daysAgo.
    void writeRecord(int daysAgo);
    QString recordPath() const;

    // The centre of the main window's label-button, 0 for "Half Court" to 5 for "Exit",
    // in screen pixels.
    QPoint button(int index) const;
    void press(int index)
    {
        const QPoint at = button(index);
        x.click(at.x(), at.y());
    }

    // The client area's top-left corner: the strip of label-buttons starts here.
    QPoint stripOrigin() const { return strip; }

    XSession &x;
    QProcess *process = nullptr;
    QString mainWindow;
    QPoint strip;
};
