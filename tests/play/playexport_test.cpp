#include "play/playbooklayout.h"
#include "play/playexport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace play;

struct PaperCase {
    QLocale::Territory territory;
    QPageSize::PageSizeId paper;
};

class Paper : public ::testing::TestWithParam<PaperCase> { };

TEST_P(Paper, FollowsTheCountry)
{
    EXPECT_EQ(paperFor(QLocale(QLocale::AnyLanguage, GetParam().territory)), GetParam().paper);
}

INSTANTIATE_TEST_SUITE_P(Countries, Paper,
    ::testing::Values(PaperCase { QLocale::UnitedStates, QPageSize::Letter },
        PaperCase { QLocale::Canada, QPageSize::Letter }, PaperCase { QLocale::Mexico, QPageSize::Letter },
        PaperCase { QLocale::Philippines, QPageSize::Letter }, PaperCase { QLocale::UnitedKingdom, QPageSize::A4 },
        PaperCase { QLocale::Germany, QPageSize::A4 }, PaperCase { QLocale::Australia, QPageSize::A4 },
        PaperCase { QLocale::Japan, QPageSize::A4 }));

namespace {

// Ally 1 alone in the court's right-hand part, ten jersey widths from the others.
Play markedPlay()
{
    Play play = newPlay(Court::Half);
    play.steps.front().positions[0] = QPointF(14000, 2000);
    play.steps.front().ballHolder = kNoHolder;
    play.steps.front().positions[kBall] = QPointF(8000, 5000);
    return play;
}

bool allyRed(QRgb c)
{
    return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90;
}

// Counts the pages a playbook takes.
class PageCounter : public QPdfWriter {
public:
    PageCounter(QIODevice *device)
        : QPdfWriter(device)
    {
        setPageSize(QPageSize(QPageSize::A4));
    }
    bool newPage() override
    {
        ++pages;
        return QPdfWriter::newPage();
    }
    int pages = 1;
};

int pagesFor(const QList<TitledPlay> &plays)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PageCounter counter(&buffer);
    EXPECT_TRUE(drawPlaybook(counter, plays));
    return counter.pages;
}

Play playOfSteps(int steps, const QString &note = QString())
{
    Play play = newPlay(Court::Half);
    play.steps.front().note = note;
    while (play.steps.size() < steps)
        play.steps.append(play.steps.front());
    return play;
}

} // namespace

TEST(StepPicture, IsAsWideAsAskedInTheCourtsProportionsWithThePieceWhereItStands)
{
    const Play play = markedPlay();
    for (int width : { 400, 1600 }) {
        const QImage image = stepPicture(play, 0, width);
        EXPECT_EQ(image.size(), pictureSize(Court::Half, width));
        EXPECT_EQ(image.height(), qRound(width * 9570.0 / 15855));
        // The jersey's disc is red round its white number.
        const double scale = double(width) / 15855;
        const QRect jersey = QRectF(QPointF(14000 - kJerseyWidth / 2, 2000 - kJerseyHeight / 2) * scale,
            QSizeF(kJerseyWidth, kJerseyHeight) * scale)
                                 .toRect();
        int red = 0;
        for (int y = jersey.top(); y <= jersey.bottom(); ++y) {
            for (int x = jersey.left(); x <= jersey.right(); ++x)
                red += allyRed(image.pixel(x, y)) ? 1 : 0;
        }
        EXPECT_GT(red, jersey.width() * jersey.height() / 10) << "no ally at the piece's place, " << width << " wide";
    }
    EXPECT_EQ(pictureSize(Court::Whole, 10).width(), kMinPictureWidth);
    EXPECT_EQ(pictureSize(Court::Whole, 100000).width(), kMaxPictureWidth);
}

TEST(StepSvg, IsWellFormedVectorsWithTheCourtsSize)
{
    const QByteArray svg = stepSvg(markedPlay(), 0);
    QXmlStreamReader reader(svg);
    int paths = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("svg")) {
            EXPECT_EQ(reader.attributes().value(QLatin1String("width")), QLatin1String("1057"));
            EXPECT_EQ(reader.attributes().value(QLatin1String("height")), QLatin1String("638"));
        }
        EXPECT_FALSE(reader.isStartElement() && reader.name() == QLatin1String("image")) << "a bitmap in the SVG";
        paths += reader.isStartElement() && reader.name() == QLatin1String("path") ? 1 : 0;
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_GT(paths, 50); // the court's lines, ten jerseys and their numbers, the ball
}

TEST(Playbook, GivesEachPlayItsOwnPagesSixStepsAPageAndCarriesLongNotesOver)
{
    EXPECT_EQ(pagesFor({ { QStringLiteral("One"), playOfSteps(6) } }), 1);
    EXPECT_EQ(pagesFor({ { QStringLiteral("One"), playOfSteps(7) } }), 2);
    EXPECT_EQ(pagesFor({ { QStringLiteral("One"), playOfSteps(1) }, { QStringLiteral("Two"), playOfSteps(1) } }), 2);
    // A note as long as a note may be takes more than a page of lines beside its court.
    const QString longNote
        = QStringLiteral("Read the help side and attack the gap. ").repeated(100).left(kMaxNoteLength);
    EXPECT_EQ(pagesFor({ { QStringLiteral("Long"), playOfSteps(1, longNote) } }), 2);
}

TEST(ExportFiles, AFailedWriteGivesTheReasonAndLeavesNoFile)
{
    // A "folder" that is a file: no one, root included, can write into it.
    QTemporaryDir dir;
    QFile notAFolder(dir.filePath(QStringLiteral("plays")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    const QString inside = notAFolder.fileName() + QLatin1Char('/');
    const Play play = markedPlay();
    const QList<TitledPlay> plays { { QStringLiteral("Marked"), play } };
    EXPECT_FALSE(writePlaybookPdf(inside + QStringLiteral("book.pdf"), plays, QPageSize::A4).isEmpty());
    EXPECT_FALSE(writeStepPng(inside + QStringLiteral("step.png"), play, 0, 400).isEmpty());
    EXPECT_FALSE(writeStepSvg(inside + QStringLiteral("step.svg"), play, 0).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
        QStringList { QStringLiteral("plays") });
}
