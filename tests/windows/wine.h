#pragma once

#include "e2e/xsession.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// The Wine prefix that a run's Windows tests share (made by the windows_wine_prefix test), in
// the environment every Wine process of the tests gets.
QProcessEnvironment wineEnvironment();
// A path inside the prefix's drive C:, from its root.
QString driveC(const QString &path);
// Stops the prefix's wineserver and waits until it has ended, with every program under it.
void stopWine();

// A test of a cross-built .exe under Wine in the same X session as the Linux end-to-end tests
// (Xvfb, openbox, xcompmgr), driven with the same X tools. Every test starts and ends with no
// wineserver running; screenshots go to shots/.
class WineTest : public ::testing::Test {
protected:
    explicit WineTest(QSize screen = QSize(1600, 900))
        : x(screen)
    {
    }

    void SetUp() override;
    void TearDown() override;

    QProcess *startUnderWine(const QString &exe, const QStringList &arguments = {});
    // The first visible window of the program; Wine names the X windows' instance after the
    // program file (exeName: "hoopwright.exe").
    QString waitForProgramWindow(const QString &exeName, int timeoutMs = 60000);
    void saveShot(const QString &name);

    XSession x;
};
