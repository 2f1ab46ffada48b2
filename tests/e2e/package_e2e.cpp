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

// Builds the Debian package from this tree into the folder; its path, empty on failure
// (the log in *log).
QString buildPackage(const QTemporaryDir &work, QString *log)
{
    int code = -1;
    *log = runHere(QStringLiteral("cpack"),
        { QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
            QStringLiteral(HOOPWRIGHT_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), work.path() },
        &code);
    const QString deb = work.filePath(QStringLiteral("hoopwright_2.0.0_amd64.deb"));
    return code == 0 && QFile::exists(deb) ? deb : QString();
}

// The Debian package built from this tree, unpacked into a temporary root: the installed
// program starts its loading screen and writes nothing into its installation folder. As
// root, it runs as root from /usr/bin, where the package's usr/bin is mounted in a mount
// namespace of its own; otherwise from the unpacked folder, made read-only.
TEST(PackageE2E, TheInstalledProgramStartsItsLoadingScreenAndWritesNothingBesideItself)
{
    QTemporaryDir work;
    QString log;
    const QString deb = buildPackage(work, &log);
    ASSERT_FALSE(deb.isEmpty()) << log.toStdString();

    const QString depends
        = runHere(QStringLiteral("dpkg-deb"), { QStringLiteral("-f"), deb, QStringLiteral("Depends") });
    EXPECT_TRUE(depends.contains(QStringLiteral("libqt6widgets6"))) << depends.toStdString();
    // The artwork is drawn from pictures recorded at build time: Qt Svg is for building alone.
    EXPECT_FALSE(depends.contains(QStringLiteral("libqt6svg6"))) << depends.toStdString();
    const QString contents = runHere(QStringLiteral("dpkg-deb"), { QStringLiteral("-c"), deb });
    for (const char *path : { "./usr/bin/hoopwright", "./usr/share/applications/hoopwright.desktop",
             "./usr/share/icons/hicolor/48x48/apps/hoopwright.png",
             "./usr/share/icons/hicolor/scalable/apps/hoopwright.svg",
             "./usr/share/metainfo/com.example.torvane.hoopwright.metainfo.xml", "./usr/bin/hoopwright-playbook",
             "./usr/share/applications/com.example.torvane.hoopwright.playbook.desktop",
             "./usr/share/icons/hicolor/16x16/apps/hoopwright-playbook.png",
             "./usr/share/icons/hicolor/256x256/apps/hoopwright-playbook.png",
             "./usr/share/icons/hicolor/scalable/apps/hoopwright-playbook.svg",
             "./usr/share/icons/hicolor/48x48/mimetypes/application-x-hoopwright-play.png",
             "./usr/share/icons/hicolor/scalable/mimetypes/application-x-hoopwright-play.svg",
             "./usr/share/man/man1/hoopwright-playbook.1.gz",
             "./usr/share/metainfo/com.example.torvane.hoopwright.playbook.metainfo.xml",
             "./usr/share/mime/packages/hoopwright-play.xml" })
        EXPECT_TRUE(contents.contains(QString::fromLatin1(path))) << path;

    const QString root = work.filePath(QStringLiteral("root"));
    ASSERT_EQ(runHere(QStringLiteral("dpkg-deb"), { QStringLiteral("-x"), deb, root }), QString());
    const QString bin = root + QStringLiteral("/usr/bin");

    XSession x;
    ASSERT_TRUE(x.ok());
    QProcess *installed = nullptr;
    if (geteuid() == 0) {
        // The shell is loaded and mount has run before the package's folder hides the
        // system's /usr/bin.
        installed = x.start(QStringLiteral("unshare"),
            { QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"),
                QStringLiteral("mount --bind \"$0\" /usr/bin && exec /usr/bin/hoopwright"), bin });
    } else {
        QFile::setPermissions(bin,
            QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                | QFile::ExeOther);
        installed = x.start(bin + QStringLiteral("/hoopwright"));
    }
    const QString load = x.waitForClass(QStringLiteral("hoopwright"), 20000);
    ASSERT_FALSE(load.isEmpty()) << installed->readAll().toStdString();
    EXPECT_EQ(x.geometry(load).size(), QSize(379, 244));
    XSession::pause(500);
    EXPECT_EQ(installed->state(), QProcess::Running);
    EXPECT_EQ(QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(QLatin1Char(' ')).toStdString(),
        "hoopwright hoopwright-playbook");
    installed->kill();
}

// The package as a Debian packager checks it: lintian finds no error and no warning, the
// AppStream metadata and the desktop entry validate.
TEST(PackageE2E, PassesDebiansChecks)
{
    QTemporaryDir work;
    QString log;
    const QString deb = buildPackage(work, &log);
    ASSERT_FALSE(deb.isEmpty()) << log.toStdString();
    int code = -1;

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
    for (const char *entry : { "hoopwright.desktop", "com.example.torvane.hoopwright.playbook.desktop" }) {
        const QString desktop = runHere(QStringLiteral("desktop-file-validate"),
            { root + QStringLiteral("/usr/share/applications/") + QString::fromLatin1(entry) }, &code);
        EXPECT_EQ(code, 0) << entry << ": " << desktop.toStdString();
        EXPECT_EQ(desktop, QString()) << entry;
    }
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// What a desktop makes of the package's files once installed: the MIME database built from
// its MIME package names *.hwplay files application/x-hoopwright-play (by their contents too,
// without the suffix), and the desktop database opens that type with the play designer, which
// runs from the package without a display: its version, and a check of a file that is not a
// play.
TEST(PackageE2E, PlayFilesAreAMimeTypeThatOpensWithThePlayDesigner)
{
    QTemporaryDir work;
    QString log;
    const QString deb = buildPackage(work, &log);
    ASSERT_FALSE(deb.isEmpty()) << log.toStdString();
    const QString root = work.filePath(QStringLiteral("root"));
    ASSERT_EQ(runHere(QStringLiteral("dpkg-deb"), { QStringLiteral("-x"), deb, root }), QString());
    const QString share = root + QStringLiteral("/usr/share");

    int code = -1;
    const QString mime = runHere(QStringLiteral("update-mime-database"), { share + QStringLiteral("/mime") }, &code);
    ASSERT_EQ(code, 0) << mime.toStdString();
    EXPECT_TRUE(readText(share + QStringLiteral("/mime/globs2"))
                    .split(QLatin1Char('\n'))
                    .contains(QStringLiteral("50:application/x-hoopwright-play:*.hwplay")));
    EXPECT_TRUE(readText(share + QStringLiteral("/mime/subclasses"))
                    .contains(QStringLiteral("application/x-hoopwright-play application/json")));
    EXPECT_TRUE(
        readText(share + QStringLiteral("/mime/magic")).contains(QStringLiteral("[60:application/x-hoopwright-play]")));

    const QString desktop
        = runHere(QStringLiteral("update-desktop-database"), { share + QStringLiteral("/applications") }, &code);
    ASSERT_EQ(code, 0) << desktop.toStdString();
    EXPECT_TRUE(readText(share + QStringLiteral("/applications/mimeinfo.cache"))
                    .split(QLatin1Char('\n'))
                    .contains(QStringLiteral(
                        "application/x-hoopwright-play=com.example.torvane.hoopwright.playbook.desktop;")));

    const QString playbook = root + QStringLiteral("/usr/bin/hoopwright-playbook");
    EXPECT_EQ(runHere(playbook, { QStringLiteral("--version") }, &code).trimmed(),
        QStringLiteral("hoopwright-playbook 2.0.0"));
    EXPECT_EQ(code, 0);
    const QString notAPlay = work.filePath(QStringLiteral("notes.hwplay"));
    QFile file(notAPlay);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": \"something-else\"}\n");
    file.close();
    const QString check = runHere(playbook, { QStringLiteral("--check"), notAPlay }, &code);
    EXPECT_EQ(code, 1) << check.toStdString();
    EXPECT_TRUE(check.startsWith(notAPlay + QStringLiteral(": "))) << check.toStdString();
}

} // namespace
