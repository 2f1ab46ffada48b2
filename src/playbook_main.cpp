#include "play/playanimation.h"
#include "play/playcheck.h"
#include "play/playexport.h"
#include "play/playfile.h"
#include "play/playpainter.h"
#include "playbook/autosave.h"
#include "playbook/playbookwindow.h"
#include "playbook/sessionbus.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <memory>

#if defined(HOOPWRIGHT_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif
#if defined(HOOPWRIGHT_DBUS)
#include <QDBusConnection>
#endif
#include <thread>

namespace {

void describeApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Torvane"));
    QCoreApplication::setApplicationName(QStringLiteral("hoopwright-playbook"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HOOPWRIGHT_VERSION));
}

// The command line, read before any window. The options that run without one are listed
// once, here; those that draw need Qt GUI's fonts and painting, not a display.
struct HeadlessOption {
    const char *name;
    bool draws;
};
constexpr HeadlessOption kHeadlessOptions[] = {
    { "check", false },
    { "export-gif", true },
    { "export-pdf", true },
    { "export-png", true },
    { "help", false },
    { "help-all", false },
    { "version", false },
};

struct Options {
    bool check = false;
    QString exportGif;
    QString exportPdf;
    QString exportPng;
    QString pageSize;
    int step = 1;
    int width = 0; // pixels; 0 when not given: each export has its own
    double speed = 1; // an animation's
    QString error; // a value that is not one
    QStringList files;
};

Options parseOptions(const QCoreApplication &app)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("main", text); };
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Draw basketball plays step by step and keep them in play files."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption check(
        QStringLiteral("check"), tr("Check the play files given, print one line for each problem and exit."));
    const QCommandLineOption exportGif(QStringLiteral("export-gif"),
        tr("Write the play given as an animated GIF of its playback, and exit."), QStringLiteral("OUT.gif"));
    const QCommandLineOption exportPdf(QStringLiteral("export-pdf"),
        tr("Write the plays given as one PDF playbook, a play a page or more, and exit."), QStringLiteral("OUT.pdf"));
    const QCommandLineOption exportPng(QStringLiteral("export-png"),
        tr("Write a step of the play given as a PNG picture, and exit."), QStringLiteral("OUT.png"));
    const QCommandLineOption pageSize(QStringLiteral("page-size"),
        tr("The PDF playbook's paper, A4 or Letter (by default the locale's)."), QStringLiteral("SIZE"));
    const QCommandLineOption step(
        QStringLiteral("step"), tr("The step to picture, from 1 (by default 1)."), QStringLiteral("N"));
    const QCommandLineOption width(QStringLiteral("width"),
        tr("The width in pixels of a picture (%1 to %2; by default %3) or an animation (%4 to %5; by default %6).")
            .arg(play::kMinPictureWidth)
            .arg(play::kMaxPictureWidth)
            .arg(play::kDefaultPictureWidth)
            .arg(play::kMinAnimationWidth)
            .arg(play::kMaxAnimationWidth)
            .arg(play::AnimationOptions().width),
        QStringLiteral("PIXELS"));
    const QCommandLineOption speed(QStringLiteral("speed"),
        tr("The speed of an animation, %1 to %2 times the playback's (by default 1).")
            .arg(play::kMinAnimationSpeed)
            .arg(play::kMaxAnimationSpeed),
        QStringLiteral("FACTOR"));
    parser.addOptions({ check, exportGif, exportPdf, exportPng, pageSize, step, width, speed });
    parser.addPositionalArgument(QStringLiteral("files"),
        tr("Play files to open (.%1).").arg(QLatin1String(play::kFileSuffix)), QStringLiteral("[FILE...]"));
    parser.process(app);

    Options options;
    options.check = parser.isSet(check);
    options.exportGif = parser.value(exportGif);
    options.exportPdf = parser.value(exportPdf);
    options.exportPng = parser.value(exportPng);
    options.pageSize = parser.value(pageSize);
    options.files = parser.positionalArguments();
    const auto number = [&](const QCommandLineOption &option, int low, int high, int &value) {
        if (!parser.isSet(option))
            return;
        bool ok = false;
        value = parser.value(option).toInt(&ok);
        if (!ok || value < low || value > high) {
            options.error = tr("--%1 takes a whole number from %2 to %3, not \"%4\"")
                                .arg(option.names().first())
                                .arg(low)
                                .arg(high)
                                .arg(parser.value(option));
        }
    };
    number(step, 1, play::kMaxSteps, options.step);
    // Within the widest range here; each export checks its own.
    number(width, std::min(play::kMinPictureWidth, play::kMinAnimationWidth),
        std::max(play::kMaxPictureWidth, play::kMaxAnimationWidth), options.width);
    if (parser.isSet(speed)) {
        bool ok = false;
        options.speed = parser.value(speed).toDouble(&ok);
        if (!ok || !(options.speed >= play::kMinAnimationSpeed && options.speed <= play::kMaxAnimationSpeed)) {
            options.error = tr("--speed takes a factor from %1 to %2, not \"%3\"")
                                .arg(play::kMinAnimationSpeed)
                                .arg(play::kMaxAnimationSpeed)
                                .arg(parser.value(speed));
        }
    }
    return options;
}

const HeadlessOption *headlessOption(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            break; // files follow
        QByteArray name;
        if (argument == "-h" || argument == "-v") {
            name = argument == "-h" ? "help" : "version";
        } else if (argument.startsWith("--")) {
            const qsizetype equals = argument.indexOf('=');
            name = argument.mid(2, equals < 0 ? -1 : equals - 2);
        }
        for (const HeadlessOption &option : kHeadlessOptions) {
            if (name == option.name)
                return &option;
        }
    }
    return nullptr;
}

void printError(const QString &message)
{
    std::fprintf(stderr, "hoopwright-playbook: %s\n", qPrintable(message));
}

// Reads the plays for an export; a play that cannot be read stops it, named with the reason.
bool readPlays(const QStringList &files, QList<play::TitledPlay> &plays)
{
    for (const QString &file : files) {
        const play::ReadResult read = play::readPlayFile(file);
        if (!read.ok()) {
            printError(QCoreApplication::translate("main", "cannot read %1: %2").arg(file, read.error));
            return false;
        }
        plays.append({ QFileInfo(file).completeBaseName(), read.play });
    }
    return true;
}

// The width an export asked for within its range, or its own when none was; false (said on the
// standard error) when out of range.
bool widthFor(const Options &options, int low, int high, int &width)
{
    if (options.width == 0)
        return true;
    if (options.width < low || options.width > high) {
        printError(
            QCoreApplication::translate("main", "--width takes a whole number of pixels from %1 to %2 here, not %3")
                .arg(low)
                .arg(high)
                .arg(options.width));
        return false;
    }
    width = options.width;
    return true;
}

int runExportGif(const Options &options)
{
    if (options.files.size() != 1) {
        printError(QCoreApplication::translate("main", "--export-gif needs one play file"));
        return 1;
    }
    play::AnimationOptions animation;
    animation.speed = options.speed;
    if (!widthFor(options, play::kMinAnimationWidth, play::kMaxAnimationWidth, animation.width))
        return 1;
    QList<play::TitledPlay> plays;
    if (!readPlays(options.files, plays))
        return 1;
    if (const QString error = play::writeGif(plays.front().play, options.exportGif, animation); !error.isEmpty()) {
        printError(error);
        return 1;
    }
    return 0;
}

int runExportPdf(const Options &options)
{
    QPageSize::PageSizeId paper = play::paperFor(QLocale::system());
    if (options.pageSize.compare(QLatin1String("letter"), Qt::CaseInsensitive) == 0)
        paper = QPageSize::Letter;
    else if (options.pageSize.compare(QLatin1String("a4"), Qt::CaseInsensitive) == 0)
        paper = QPageSize::A4;
    else if (!options.pageSize.isEmpty()) {
        printError(
            QCoreApplication::translate("main", "--page-size is A4 or Letter, not \"%1\"").arg(options.pageSize));
        return 1;
    }
    if (options.files.isEmpty()) {
        printError(QCoreApplication::translate("main", "--export-pdf needs at least one play file"));
        return 1;
    }
    QList<play::TitledPlay> plays;
    if (!readPlays(options.files, plays))
        return 1;
    if (const QString error = play::writePlaybookPdf(options.exportPdf, plays, paper); !error.isEmpty()) {
        printError(QStringLiteral("%1: %2").arg(options.exportPdf, error));
        return 1;
    }
    return 0;
}

int runExportPng(const Options &options)
{
    if (options.files.size() != 1) {
        printError(QCoreApplication::translate("main", "--export-png needs one play file"));
        return 1;
    }
    QList<play::TitledPlay> plays;
    if (!readPlays(options.files, plays))
        return 1;
    const play::Play &play = plays.front().play;
    if (options.step > play.steps.size()) {
        printError(QCoreApplication::translate("main", "%1: the play's steps are 1 to %2; there is no step %3")
                       .arg(options.files.front())
                       .arg(play.steps.size())
                       .arg(options.step));
        return 1;
    }
    int width = play::kDefaultPictureWidth;
    if (!widthFor(options, play::kMinPictureWidth, play::kMaxPictureWidth, width))
        return 1;
    if (const QString error = play::writeStepPng(options.exportPng, play, options.step - 1, width); !error.isEmpty()) {
        printError(QStringLiteral("%1: %2").arg(options.exportPng, error));
        return 1;
    }
    return 0;
}

int runHeadless(int argc, char **argv, bool draws)
{
    // Drawing needs Qt GUI, and on Linux its offscreen platform needs no display.
#if defined(Q_OS_LINUX)
    if (draws && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    std::unique_ptr<QCoreApplication> app(draws ? new QGuiApplication(argc, argv) : new QCoreApplication(argc, argv));
    describeApplication();
    const Options options = parseOptions(*app);
    if (!options.error.isEmpty()) {
        printError(options.error);
        return 1;
    }
    if (draws)
        play::registerFonts();
    if (!options.exportGif.isEmpty())
        return runExportGif(options);
    if (!options.exportPdf.isEmpty())
        return runExportPdf(options);
    if (!options.exportPng.isEmpty())
        return runExportPng(options);
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
// all of to read its first icon, and the session bus, which the desktop's accessibility
// connects to when the first widget is named and waits for. Where fonts come through
// fontconfig and accessibility through D-Bus, that is done on threads of their own while the
// rest of the start goes on.
class StartWarmUp {
public:
    // Fontconfig's part, while the application connects to the display.
    StartWarmUp()
    {
#if defined(HOOPWRIGHT_FONTCONFIG)
        fonts_ = std::thread([] { FcInit(); });
#endif
    }
    ~StartWarmUp()
    {
        finish();
    }

    // Waits for all the work begun.
    void finish()
    {
        wait();
        if (bus_.joinable())
            bus_.join();
    }

    // The session bus, once the application is there; whoever asks for it before the
    // connection is made waits only for what is left of it.
    void connectBus()
    {
#if defined(HOOPWRIGHT_DBUS)
        bus_ = std::thread([] { QDBusConnection::sessionBus(); });
#endif
    }

    // Waits for the fonts' work begun; nothing of Qt's fonts may be asked for before.
    void wait()
    {
        if (fonts_.joinable())
            fonts_.join();
    }

    // Qt's part of the fonts, while the window is built, which waits where it needs what is
    // not ready yet (Qt guards its font database and its plugin loader). The program's own
    // fonts are added before, since they change what a family's name finds.
    void prepareWindow()
    {
#if defined(HOOPWRIGHT_FONTCONFIG)
        wait();
        fonts_ = std::thread([] {
            QImageReader::supportedImageFormats();
            QFontDatabase::families();
        });
#endif
    }

private:
    std::thread fonts_;
    std::thread bus_;
};

} // namespace

int main(int argc, char **argv)
{
    if (const HeadlessOption *option = headlessOption(argc, argv))
        return runHeadless(argc, argv, option->draws);
    if (!displayAvailable())
        return 1;

#if defined(HOOPWRIGHT_DBUS)
    // Before anything asks for the session bus: the desktop's accessibility does as soon as
    // the application is there.
    sessionbus::markUnreachable();
#endif
    StartWarmUp warmUp;
    QApplication app(argc, argv);
    warmUp.connectBus();
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
    warmUp.finish();
    return status;
}
