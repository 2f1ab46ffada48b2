#include "play/playanimation.h"
#include "play/playcheck.h"
#include "play/playfile.h"
#include "play/playpainter.h"
#include "playbook/autosave.h"
#include "playbook/playbookwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFontDatabase>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>
#include <QTextStream>
#include <cstdio>

#if defined(HOOPWRIGHT_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#include <thread>
#endif

namespace {

void describeApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Torvane"));
    QCoreApplication::setApplicationName(QStringLiteral("hoopwright-playbook"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HOOPWRIGHT_VERSION));
}

// The command line, read before any window: --check and the exports need no display.
struct Options {
    bool check = false;
    QString gifFile; // --export-gif
    QString width; // --width, checked by the export that uses it
    QString speed; // --speed
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
    const QCommandLineOption exportGif(QStringLiteral("export-gif"),
        QCoreApplication::translate("main", "Write the play given as an animated GIF of its playback and exit."),
        QStringLiteral("OUT.gif"));
    parser.addOption(exportGif);
    const QCommandLineOption width(QStringLiteral("width"),
        QCoreApplication::translate("main", "The width of an exported picture in pixels (%1 to %2; 800 if not given).")
            .arg(play::kMinAnimationWidth)
            .arg(play::kMaxAnimationWidth),
        QStringLiteral("PIXELS"));
    parser.addOption(width);
    const QCommandLineOption speed(QStringLiteral("speed"),
        QCoreApplication::translate("main", "The speed of an exported animation (%1 to %2; 1 if not given).")
            .arg(play::kMinAnimationSpeed)
            .arg(play::kMaxAnimationSpeed),
        QStringLiteral("FACTOR"));
    parser.addOption(speed);
    parser.addPositionalArgument(QStringLiteral("files"),
        QCoreApplication::translate("main", "Play files to open (.%1).").arg(QLatin1String(play::kFileSuffix)),
        QStringLiteral("[FILE...]"));
    parser.process(app);
    return Options { parser.isSet(check), parser.value(exportGif), parser.value(width), parser.value(speed),
        parser.positionalArguments() };
}

bool wantsExport(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--export-gif" || argument.startsWith("--export-gif="))
            return true;
    }
    return false;
}

int exportFailed(const QString &message)
{
    std::fprintf(stderr, "hoopwright-playbook: %s\n", qUtf8Printable(message));
    return 1;
}

// The exports draw with Qt GUI alone: on Linux on the offscreen platform, so that they run
// without a display; Windows' own platform needs none.
int runExport(int argc, char **argv)
{
#if !defined(Q_OS_WIN)
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QGuiApplication app(argc, argv);
    describeApplication();
    const Options options = parseOptions(app);
    if (options.files.size() != 1)
        return exportFailed(QStringLiteral("--export-gif needs one play file"));
    play::AnimationOptions animation;
    bool ok = true;
    if (!options.width.isEmpty())
        animation.width = options.width.toInt(&ok);
    if (!ok || animation.width < play::kMinAnimationWidth || animation.width > play::kMaxAnimationWidth) {
        return exportFailed(QStringLiteral("--width takes a number of pixels from %1 to %2, not \"%3\"")
                                .arg(play::kMinAnimationWidth)
                                .arg(play::kMaxAnimationWidth)
                                .arg(options.width));
    }
    if (!options.speed.isEmpty())
        animation.speed = options.speed.toDouble(&ok);
    if (!ok || !(animation.speed >= play::kMinAnimationSpeed && animation.speed <= play::kMaxAnimationSpeed)) {
        return exportFailed(QStringLiteral("--speed takes a factor from %1 to %2, not \"%3\"")
                                .arg(play::kMinAnimationSpeed)
                                .arg(play::kMaxAnimationSpeed)
                                .arg(options.speed));
    }
    const QString file = options.files.first();
    const play::ReadResult read = play::readPlayFile(file);
    if (!read.ok())
        return exportFailed(QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(file), read.error));
    play::registerFonts();
    if (const QString error = play::writeGif(read.play, options.gifFile, animation); !error.isEmpty())
        return exportFailed(error);
    return 0;
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

// Fonts take a good part of the start: fontconfig reads the system's configuration and font
// caches, then Qt lists every font they hold. So do the image plugins, which Qt's style loads
// all of to read its first icon. Where fonts come through fontconfig, all of it is done on a
// thread of its own while the rest of the start goes on.
class StartWarmUp {
public:
#if defined(HOOPWRIGHT_FONTCONFIG)
    // Fontconfig's part, while the application connects to the display.
    StartWarmUp()
        : worker_([] { FcInit(); })
    {
    }
    ~StartWarmUp()
    {
        wait();
    }

    // Waits for the work begun; nothing of Qt's fonts may be asked for before.
    void wait()
    {
        if (worker_.joinable())
            worker_.join();
    }

    // Qt's part, while the window is built, which waits where it needs what is not ready yet
    // (Qt guards its font database and its plugin loader). The program's own fonts are added
    // before, since they change what a family's name finds.
    void prepareWindow()
    {
        wait();
        worker_ = std::thread([] {
            QImageReader::supportedImageFormats();
            QFontDatabase::families();
        });
    }

private:
    std::thread worker_;
#else
    void wait()
    {
    }
    void prepareWindow()
    {
    }
#endif
};

} // namespace

int main(int argc, char **argv)
{
    if (wantsExport(argc, argv))
        return runExport(argc, argv);
    if (wantsNoDisplay(argc, argv))
        return runCheck(argc, argv);
    if (!displayAvailable())
        return 1;

    StartWarmUp warmUp;
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
    warmUp.wait();
    play::registerFonts();
    warmUp.prepareWindow();

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
    const int status = app.exec();
    // The warm-up is over long before, but never after the application is gone.
    warmUp.wait();
    return status;
}
