#include "play/playcheck.h"
#include "play/playfile.h"
#include "play/playpainter.h"
#include "playbook/autosave.h"
#include "playbook/playbookwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <QTextStream>
#include <cstdio>

namespace {

void describeApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Torvane"));
    QCoreApplication::setApplicationName(QStringLiteral("hoopwright-playbook"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HOOPWRIGHT_VERSION));
}

// The command line, read before any window: --check needs no display.
struct Options {
    bool check = false;
    QStringList files;
};

Options parseOptions(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Draw basketball plays step by step and keep them in play files."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption check(QStringLiteral("check"),
        QCoreApplication::translate("main", "Check the play files given, print one line for each problem and exit."));
    parser.addOption(check);
    parser.addPositionalArgument(QStringLiteral("files"),
        QCoreApplication::translate("main", "Play files to open (.%1).").arg(QLatin1String(play::kFileSuffix)),
        QStringLiteral("[FILE...]"));
    parser.process(app);
    return Options { parser.isSet(check), parser.positionalArguments() };
}

bool wantsNoDisplay(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--check" || argument == "--help" || argument == "-h" || argument == "--help-all"
            || argument == "--version" || argument == "-v")
            return true;
    }
    return false;
}

int runCheck(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    describeApplication();
    const Options options = parseOptions(app);
    if (options.files.isEmpty()) {
        std::fprintf(stderr, "hoopwright-playbook: --check needs at least one play file\n");
        return 2;
    }
    QTextStream out(stdout);
    return play::checkPlayFiles(options.files, out);
}

bool displayAvailable()
{
#if defined(Q_OS_LINUX)
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
            "hoopwright-playbook: no display found; to check play files without one, use "
            "hoopwright-playbook --check FILE...\n");
        return false;
    }
#endif
    return true;
}

// Plays left unsaved by a window that crashed come back, each in a window of its own, when
// the user wants them; otherwise they are discarded.
int restoreOrphans()
{
    const QList<Autosave::Orphan> orphans = Autosave::takeOrphans();
    if (orphans.isEmpty())
        return 0;
    const QMessageBox::StandardButton answer
        = QMessageBox::question(nullptr, QCoreApplication::translate("main", "Hoopwright Playbook"),
            QCoreApplication::translate("main",
                "Hoopwright Playbook was not closed properly, and %n play(s) had unsaved changes.\n"
                "Do you want to restore them?",
                nullptr, int(orphans.size())),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    int restored = 0;
    for (const Autosave::Orphan &orphan : orphans) {
        if (answer == QMessageBox::Yes) {
            auto *window = new PlaybookWindow(orphan.play);
            window->restore(orphan.play, orphan.filePath);
            window->show();
            ++restored;
        }
        Autosave::discardOrphan(orphan.id);
    }
    return restored;
}

} // namespace

int main(int argc, char **argv)
{
    if (wantsNoDisplay(argc, argv))
        return runCheck(argc, argv);
    if (!displayAvailable())
        return 1;

    QApplication app(argc, argv);
    describeApplication();
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.torvane.hoopwright.playbook"));
    QApplication::setWindowIcon(PlaybookWindow::programIcon());
    // hicolor is the fallback of every icon theme, not a theme of a desktop: it holds no icons
    // of actions, and asking it for one checks each of its hundreds of folders in vain (Qt's
    // style asks it for each of its own icons first). Where the desktop has no theme of its
    // own, the style's icons come at once.
    if (QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeSearchPaths({ QStringLiteral(":/icons") });
    const Options options = parseOptions(app);
    play::registerFonts();

    int windows = restoreOrphans();
    for (const QString &file : options.files) {
        auto *window = new PlaybookWindow(play::newPlay(play::Court::Half));
        if (window->openFile(file)) {
            window->show();
            ++windows;
        } else {
            window->close();
        }
    }
    if (windows == 0)
        (new PlaybookWindow(play::newPlay(play::Court::Half)))->show();
    return app.exec();
}
