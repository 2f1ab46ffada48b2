#include "windows/wine.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>

QProcessEnvironment wineEnvironment()
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("WINEPREFIX"), QStringLiteral(HOOPWRIGHT_WINEPREFIX));
    env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    env.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
    return env;
}

QString driveC(const QString &path)
{
    return QStringLiteral(HOOPWRIGHT_WINEPREFIX "/drive_c/") + path;
}

void stopWine()
{
    QProcess wineserver;
    wineserver.setProcessEnvironment(wineEnvironment());
    wineserver.start(QStringLiteral("wineserver"), { QStringLiteral("-k") });
    wineserver.waitForFinished(20000);
    wineserver.start(QStringLiteral("wineserver"), { QStringLiteral("-w") });
    wineserver.waitForFinished(20000);
}

void WineTest::SetUp()
{
    ASSERT_TRUE(x.ok()) << "no X session";
    ASSERT_TRUE(QFileInfo::exists(QStringLiteral(HOOPWRIGHT_WINEPREFIX "/system.reg")))
        << "no Wine prefix: run these through ctest -L windows";
    stopWine();
}

void WineTest::TearDown()
{
    stopWine();
}

QProcess *WineTest::startUnderWine(const QString &exe, const QStringList &arguments)
{
    return x.start(QStringLiteral("wine"), QStringList { exe } + arguments, wineEnvironment());
}

QString WineTest::waitForProgramWindow(const QString &exeName, int timeoutMs)
{
    QString name = exeName;
    const QString pattern
        = QStringLiteral("^") + name.replace(QLatin1Char('.'), QStringLiteral("\\.")) + QStringLiteral("$");
    QDeadlineTimer deadline(timeoutMs);
    do {
        const QString found = x.run(QStringLiteral("xdotool"),
            { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--classname"), pattern });
        if (!found.isEmpty())
            return found.split(QLatin1Char('\n')).first().trimmed();
        XSession::pause(50);
    } while (!deadline.hasExpired());
    return {};
}

void WineTest::saveShot(const QString &name)
{
    QDir().mkpath(QStringLiteral(HOOPWRIGHT_SHOTS));
    x.screenshot().save(QStringLiteral(HOOPWRIGHT_SHOTS "/") + name + QStringLiteral(".png"));
}
