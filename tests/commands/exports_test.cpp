// The exports of the command line, run as a user runs them: the real program, without a
// display, its files read back with poppler's tools and Qt's image reader.
#include "e2e/shapes.h"
#include "play/playfile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <functional>

namespace {

struct Finished {
    int code = -1;
    QString output; // stdout and stderr
};

Finished run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAll()) };
}

Finished playbook(const QStringList &arguments)
{
    return run(QStringLiteral(HOOPWRIGHT_PLAYBOOK_EXECUTABLE), arguments);
}

// Where ally 1 stands in each step, in parts of the court's width and height: alone in a
// part of the court where no other piece stands.
constexpr QPointF kAllyOneAt[] = { { 0.88, 0.2 }, { 0.12, 0.2 } };

play::Play markedPlay(const QString &note, const QStringList &tags)
{
    play::Play play = play::newPlay(play::Court::Half);
    play.tags = tags;
    play::Step &first = play.steps.front();
    first.ballHolder = play::kNoHolder;
    first.positions[play::kBall] = QPointF(7900, 7000);
    const QSizeF court = play::courtSize(play.court);
    for (const QPointF &at : kAllyOneAt) {
        play::Step step = first;
        step.positions[0] = QPointF(at.x() * court.width(), at.y() * court.height());
        step.note = QStringLiteral("%1, step %2.\nThen reset.").arg(note).arg(play.steps.size());
        play.steps.append(step);
    }
    play.steps.removeFirst();
    return play;
}

bool allyRed(QRgb c)
{
    return qRed(c) > 170 && qGreen(c) < 100 && qBlue(c) < 100;
}

bool courtLine(QRgb c)
{
    return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60;
}

// Whether an ally's jersey lies within a few pixels of a point.
bool allyNear(const QImage &image, QPoint at, int reach)
{
    for (const QRect &blob : shapes::blobs(image, QRect(at, at).adjusted(-reach, -reach, reach, reach), allyRed, 4)) {
        if ((blob.center() - at).manhattanLength() <= reach)
            return true;
    }
    return false;
}

class ExportCommands : public ::testing::Test {
protected:
    QString writePlay(const QString &name, const play::Play &play)
    {
        const QString path = dir.filePath(name + QStringLiteral(".hwplay"));
        EXPECT_EQ(play::writePlayFile(play, path), QString());
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(ExportCommands, APdfPlaybookHoldsTheNamesTagsAndNotesAndEachPieceWhereItStands)
{
    const QString horns = writePlay(QStringLiteral("Horns Flare"),
        markedPlay(QStringLiteral("Four feeds the post"), { QStringLiteral("Half court"), QStringLiteral("Horns") }));
    const QString press = writePlay(QStringLiteral("Press Break"), markedPlay(QStringLiteral("Inbound fast"), {}));
    const QString pdf = dir.filePath(QStringLiteral("book.pdf"));
    const Finished exported = playbook({ QStringLiteral("--export-pdf"), pdf, horns, press });
    ASSERT_EQ(exported.code, 0) << exported.output.toStdString();

    const Finished text = run(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
    ASSERT_EQ(text.code, 0);
    const QString words = text.output.normalized(QString::NormalizationForm_KC).simplified();
    for (const char *expected : { "Horns Flare", "Half court · Horns", "Four feeds the post, step 1.", "Then reset.",
             "Four feeds the post, step 2.", "Press Break", "Inbound fast, step 2.", "Step 1", "Step 2" })
        EXPECT_TRUE(words.contains(QString::fromUtf8(expected))) << expected << "\n" << words.toStdString();
    EXPECT_FALSE(words.contains(QStringLiteral(".Then"))) << "a note's line break lost";
    const Finished info = run(QStringLiteral("pdfinfo"), { pdf });
    EXPECT_TRUE(info.output.contains(QStringLiteral("Pages:           2"))) << info.output.toStdString();

    // The first page's two courts, side by side: ally 1 where each step puts it.
    const QString prefix = dir.filePath(QStringLiteral("page"));
    ASSERT_EQ(run(QStringLiteral("pdftoppm"),
                  { QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"), QStringLiteral("-f"),
                      QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, prefix })
                  .code,
        0);
    const QImage page(prefix + QStringLiteral("-1.png"));
    ASSERT_FALSE(page.isNull());
    const std::vector<QRect> courts = shapes::blobs(page, page.rect(), courtLine, 2000);
    ASSERT_GE(courts.size(), 2u);
    std::vector<QRect> sideBySide { courts[0], courts[1] };
    std::sort(sideBySide.begin(), sideBySide.end(), [](QRect a, QRect b) { return a.left() < b.left(); });
    for (int step = 0; step < 2; ++step) {
        // The court's frame, less the step's number written just above it.
        QRect court = sideBySide[size_t(step)];
        court.setTop(court.bottom() - qRound(court.width() * 9570.0 / 15855));
        EXPECT_NEAR(court.width(), page.width() * 0.42, page.width() * 0.05) << "not a court: step " << step + 1;
        const QPoint at = court.topLeft()
            + QPoint(qRound(kAllyOneAt[step].x() * court.width()), qRound(kAllyOneAt[step].y() * court.height()));
        EXPECT_TRUE(allyNear(page, at, 8)) << "no ally 1 at " << at.x() << "," << at.y() << " in step " << step + 1;
    }

    // The court and the jerseys are vectors: the document holds no picture at all.
    const Finished images = run(QStringLiteral("pdfimages"), { QStringLiteral("-list"), pdf });
    EXPECT_EQ(images.output.trimmed().split(QLatin1Char('\n')).size(), 2) << images.output.toStdString();
}

TEST_F(ExportCommands, APngIsAsWideAsAskedWithThePieceWhereItStands)
{
    const QString file = writePlay(QStringLiteral("Marked"), markedPlay(QStringLiteral("Note"), {}));
    const QString png = dir.filePath(QStringLiteral("step.png"));
    const Finished exported = playbook({ QStringLiteral("--export-png"), png, file, QStringLiteral("--step"),
        QStringLiteral("2"), QStringLiteral("--width"), QStringLiteral("900") });
    ASSERT_EQ(exported.code, 0) << exported.output.toStdString();
    const QImage image(png);
    ASSERT_EQ(image.width(), 900);
    EXPECT_EQ(image.height(), qRound(900 * 9570.0 / 15855));
    const QPoint at(qRound(kAllyOneAt[1].x() * image.width()), qRound(kAllyOneAt[1].y() * image.height()));
    EXPECT_TRUE(allyNear(image, at, 6));
    EXPECT_FALSE(allyNear(image, QPoint(qRound(kAllyOneAt[0].x() * 900), at.y()), 6)) << "step 1 shown";
}

struct Failure {
    const char *name;
    std::function<QStringList(const QString &play, const QString &out)> arguments;
    const char *message;
};

TEST_F(ExportCommands, BadInputsAreNamedAndWriteNothing)
{
    const QString good = writePlay(QStringLiteral("Good"), markedPlay(QStringLiteral("Note"), {}));
    const QString bad = dir.filePath(QStringLiteral("bad.hwplay"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": \"something-else\"}");
    file.close();
    const Failure failures[] = {
        { "an unreadable play",
            [&](const QString &, const QString &out) {
                return QStringList { QStringLiteral("--export-pdf"), out, good, bad };
            },
            "bad.hwplay: " },
        { "a step the play lacks",
            [&](const QString &play, const QString &out) {
                return QStringList { QStringLiteral("--export-png"), out, play, QStringLiteral("--step"),
                    QStringLiteral("3") };
            },
            "the play's steps are 1 to 2; there is no step 3" },
        { "a width out of range",
            [&](const QString &play, const QString &out) {
                return QStringList { QStringLiteral("--export-png"), out, play, QStringLiteral("--width"),
                    QStringLiteral("9") };
            },
            "--width takes a whole number" },
        { "no play",
            [&](const QString &, const QString &out) {
                return QStringList { QStringLiteral("--export-pdf"), out };
            },
            "--export-pdf needs at least one play file" },
        { "a page size of no paper",
            [&](const QString &play, const QString &out) {
                return QStringList { QStringLiteral("--export-pdf"), out, play, QStringLiteral("--page-size"),
                    QStringLiteral("A9") };
            },
            "--page-size is A4 or Letter" },
    };
    for (const Failure &failure : failures) {
        const QString out = dir.filePath(QStringLiteral("out.file"));
        const Finished result = playbook(failure.arguments(good, out));
        EXPECT_EQ(result.code, 1) << failure.name;
        EXPECT_TRUE(result.output.contains(QString::fromUtf8(failure.message)))
            << failure.name << ": " << result.output.toStdString();
        EXPECT_FALSE(QFile::exists(out)) << failure.name;
    }
}

// A folder no one may write into, root included: a read-only mount where the tests run as
// root, a folder without write permission otherwise. A full disk: a small tmpfs, filled.
TEST_F(ExportCommands, AReadOnlyFolderOrAFullDiskFailsWithTheReasonAndLeavesNoFile)
{
    const QString play = writePlay(QStringLiteral("Marked"), markedPlay(QStringLiteral("Note"), {}));
    for (const bool full : { false, true }) {
        QTemporaryDir folder;
        const QByteArray mountPoint = QFile::encodeName(folder.path());
        bool mounted = false;
        if (geteuid() == 0) {
            mounted = ::mount("tmpfs", mountPoint.constData(), "tmpfs", full ? 0 : MS_RDONLY, "size=16k") == 0;
            ASSERT_TRUE(mounted);
        } else if (full) {
            continue; // a small tmpfs needs root
        } else {
            ASSERT_TRUE(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        if (full) {
            QFile filler(folder.filePath(QStringLiteral("filler")));
            ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(1024, 'x');
            while (filler.write(block) > 0) { }
            while (filler.write("x", 1) > 0) { }
        }
        const QStringList before = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
        for (const QString &option : { QStringLiteral("--export-pdf"), QStringLiteral("--export-png") }) {
            const QString out = folder.filePath(
                option == QLatin1String("--export-pdf") ? QStringLiteral("book.pdf") : QStringLiteral("step.png"));
            const Finished result = playbook({ option, out, play });
            EXPECT_EQ(result.code, 1) << option.toStdString() << (full ? " on a full disk" : " in a read-only folder");
            EXPECT_TRUE(result.output.contains(out + QStringLiteral(": "))) << result.output.toStdString();
            EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), before) << "a partial file left";
        }
        if (mounted)
            ::umount2(mountPoint.constData(), MNT_DETACH);
        else
            QFile::setPermissions(
                folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

} // namespace
