#include "e2e/driver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QString runHere(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    p.waitForFinished(120000);
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromLocal8Bit(p.readAll());
}

// The Debian package built from this tree, unpacked into a temporary root: the installed
// program starts its loading screen, and beside an executable in a folder its user cannot
// write it makes no "Logs".
TEST(PackageE2E, TheInstalledProgramStartsItsLoadingScreen)
{
    QTemporaryDir work;
    int code = -1;
    const QString log = runHere(QStringLiteral("cpack"),
        { QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
            QStringLiteral(HOOPWRIGHT_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), work.path() },
        &code);
    ASSERT_EQ(code, 0) << log.toStdString();
    const QString deb = work.filePath(QStringLiteral("hoopwright_2.0.0_amd64.deb"));
    ASSERT_TRUE(QFile::exists(deb)) << log.toStdString();

    const QString depends
        = runHere(QStringLiteral("dpkg-deb"), { QStringLiteral("-f"), deb, QStringLiteral("Depends") });
    EXPECT_TRUE(depends.contains(QStringLiteral("libqt6widgets6"))) << depends.toStdString();
    const QString contents = runHere(QStringLiteral("dpkg-deb"), { QStringLiteral("-c"), deb });
    for (const char *path : { "./usr/bin/hoopwright", "./usr/share/applications/hoopwright.desktop",
             "./usr/share/icons/hicolor/48x48/apps/hoopwright.png",
             "./usr/share/icons/hicolor/scalable/apps/hoopwright.svg" })
        EXPECT_TRUE(contents.contains(QString::fromLatin1(path))) << path;

    const QString root = work.filePath(QStringLiteral("root"));
    ASSERT_EQ(runHere(QStringLiteral("dpkg-deb"), { QStringLiteral("-x"), deb, root }), QString());
    const QString bin = root + QStringLiteral("/usr/bin");
    QFile::setPermissions(bin,
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);

    // Root may write anywhere, so as root the program runs as nobody.
    const bool asRoot = geteuid() == 0;
    XSession x(QSize(1600, 900), asRoot);
    ASSERT_TRUE(x.ok());
    QProcessEnvironment env;
    QTemporaryDir home;
    QTemporaryDir runtime;
    if (asRoot) {
        runHere(QStringLiteral("chown"), { QStringLiteral("nobody"), home.path(), runtime.path() });
        runHere(QStringLiteral("chmod"), { QStringLiteral("711"), work.path() });
    }
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("HOME"), home.path());
    const QString program = bin + QStringLiteral("/hoopwright");
    QProcess *installed = asRoot ? x.start(QStringLiteral("setpriv"),
                              { QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                  QStringLiteral("--clear-groups"), QStringLiteral("--"), program },
                              env)
                                 : x.start(program, {}, env);
    const QString load = x.waitForClass(QStringLiteral("hoopwright"), 20000);
    ASSERT_FALSE(load.isEmpty()) << installed->readAll().toStdString();
    EXPECT_EQ(x.geometry(load).size(), QSize(379, 244));
    EXPECT_FALSE(QFile::exists(bin + QStringLiteral("/Logs")));
    EXPECT_EQ(installed->state(), QProcess::Running);
    installed->kill();
}

// The package as a Debian packager checks it: lintian finds no error and no warning, the
// AppStream metadata and the desktop entry validate.
TEST(PackageE2E, PassesDebiansChecks)
{
    QTemporaryDir work;
    int code = -1;
    const QString log = runHere(QStringLiteral("cpack"),
        { QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
            QStringLiteral(HOOPWRIGHT_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), work.path() },
        &code);
    ASSERT_EQ(code, 0) << log.toStdString();
    const QString deb = work.filePath(QStringLiteral("hoopwright_2.0.0_amd64.deb"));

    const QString lintian = runHere(QStringLiteral("lintian"),
        { QStringLiteral("--fail-on"), QStringLiteral("error,warning"), QStringLiteral("--show-overrides"), deb },
        &code);
    EXPECT_EQ(code, 0) << lintian.toStdString();
    EXPECT_FALSE(lintian.contains(QRegularExpression(QStringLiteral("^[EW]: "), QRegularExpression::MultilineOption)))
        << lintian.toStdString();

    const QString root = work.filePath(QStringLiteral("root"));
    ASSERT_EQ(runHere(QStringLiteral("dpkg-deb"), { QStringLiteral("-x"), deb, root }), QString());
    const QString appstream = runHere(QStringLiteral("appstreamcli"),
        { QStringLiteral("validate-tree"), QStringLiteral("--pedantic"), QStringLiteral("--no-net"), root }, &code);
    EXPECT_EQ(code, 0) << appstream.toStdString();
    EXPECT_FALSE(
        appstream.contains(QRegularExpression(QStringLiteral("^[EWIP]: "), QRegularExpression::MultilineOption)))
        << appstream.toStdString();
    const QString desktop = runHere(QStringLiteral("desktop-file-validate"),
        { root + QStringLiteral("/usr/share/applications/hoopwright.desktop") }, &code);
    EXPECT_EQ(code, 0) << desktop.toStdString();
    EXPECT_EQ(desktop, QString());
}

} // namespace
