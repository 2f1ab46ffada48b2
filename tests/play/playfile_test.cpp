#include "play/motion.h"
#include "play/playcheck.h"
#include "play/playfile.h"
#include "support/systemfixtures.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace play;

namespace {

Play namedPlay()
{
    Play play = newPlay(Court::Whole);
    play.roster[0] = { 0, QStringLiteral("Ünal") };
    play.roster[4] = { 99, QStringLiteral("李小龙") };
    // A name and a note at their longest, of characters that are two UTF-16 units each.
    play.roster[9] = { 23, QStringLiteral("🏀").repeated(kMaxNameLength) };
    play.tags = { QStringLiteral("Sideline out of bounds"), QStringLiteral("Zone — 2-3"),
        QStringLiteral("🏀").repeated(kMaxTagLength) };
    Step second = play.steps.front();
    second.note = QStringLiteral("Line one\nline two — \"quoted\", a back\\slash,\ta tab; 🏀 end");
    second.positions[3] = QPointF(1234.5, 678.25);
    second.positions[kBall] = QPointF(15885, 9225); // a free ball in the far corner
    second.ballHolder = kNoHolder;
    Step third = second;
    third.ballHolder = 6;
    third.positions[6] = QPointF(0, 0);
    third.note = QStringLiteral("é𝄞").repeated(kMaxNoteLength / 2);
    play.steps << second << third;
    return play;
}

// Every kind of action, in colours and without, over two steps settled together.
Play drawnPlay()
{
    Play play = newPlay(Court::Half);
    const QPointF ally1 = play.steps.front().positions[0];
    const QPointF ally2 = play.steps.front().positions[1];
    const QPointF opponent3 = play.steps.front().positions[7];
    play.steps.front().actions = {
        Action { ActionKind::Cut, 1, kNoPlayer, { ally2, { 9000.25, 4000 }, { 8000, 2000 } } },
        Action { ActionKind::Dribble, 0, kNoPlayer, { ally1, { 3000, 3000 } }, QColor(0x12, 0xab, 0xef) },
        Action { ActionKind::Pass, 0, 1, { { 5000, 2500 } } },
        Action { ActionKind::Screen, 7, kNoPlayer, { opponent3, { 6000, 6000 } } },
        Action { ActionKind::Pen, kNoPlayer, kNoPlayer, { { 0, 0 }, { 15855, 9570 } }, Qt::red },
        Action { ActionKind::Text, kNoPlayer, kNoPlayer, { { 700, 800 } }, {}, QStringLiteral("Go \"now\" 🏀") },
        Action { ActionKind::Text, kNoPlayer, kNoPlayer, { { 700, 800 } } },
    };
    play.steps << play.steps.front();
    play.steps.back().actions
        = { Action { ActionKind::Handoff, 1, 2 }, Action { ActionKind::Shot, 2, kNoPlayer, { { 8000, 3000 } } } };
    play.steps << play.steps.front();
    play.steps.back().actions.clear();
    settle(play);
    return play;
}

Play manySteps(int count)
{
    Play play = newPlay(Court::Half);
    for (int i = 1; i < count; ++i) {
        Step step = play.steps.back();
        for (int piece = 0; piece < kPieceCount; ++piece)
            step.positions[piece]
                = clampToCourt(play.court, step.positions[piece] + QPointF(i % 7 - 3, (i % 5 - 2) / 3.0));
        step.ballHolder = i % 11 == 10 ? kNoHolder : i % 10;
        step.note = QStringLiteral("Step %1").arg(i + 1);
        play.steps.append(step);
    }
    return play;
}

} // namespace

struct RoundTripCase {
    const char *name;
    std::function<Play()> play;
};

class PlayFileRoundTrip : public ::testing::TestWithParam<RoundTripCase> { };

TEST_P(PlayFileRoundTrip, ReadsBackTheSamePlay)
{
    const Play play = GetParam().play();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("play.hwplay"));
    ASSERT_EQ(writePlayFile(play, path), QString());
    const ReadResult read = readPlayFile(path);
    ASSERT_EQ(read.error, QString());
    EXPECT_TRUE(read.play == play);
    // Exactly, not only within QPointF's fuzzy comparison: the same bytes again.
    EXPECT_EQ(toJson(read.play), toJson(play));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
        QStringList { QStringLiteral("play.hwplay") });
}

INSTANTIATE_TEST_SUITE_P(Plays, PlayFileRoundTrip,
    ::testing::Values(RoundTripCase { "NewHalfCourt", [] { return newPlay(Court::Half); } },
        RoundTripCase { "NamesNotesAndAFreeBall", namedPlay },
        RoundTripCase { "TwoThousandSteps", [] { return manySteps(2000); } },
        RoundTripCase { "EveryAction", drawnPlay }),
    [](const auto &info) { return std::string(info.param.name); });

// The files of each version, kept as they were written: every later program reads them.
TEST(PlayFileVersions, VersionOneReads)
{
    QFile file(QStringLiteral(HOOPWRIGHT_PLAY_FORMATS "/version1.hwplay"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ReadResult read = fromJson(file.readAll());
    ASSERT_EQ(read.error, QString());
    Play expected = newPlay(Court::Half);
    expected.roster[0].name = QStringLiteral("Point");
    expected.roster[5].number = 0;
    Step second = expected.steps.front();
    second.positions[0] = QPointF(7927.5, 2400);
    second.positions[kBall] = QPointF(7927.5, 1500.5);
    second.ballHolder = kNoHolder;
    second.note = QStringLiteral("1 lobs the ball\nto the high post.");
    expected.steps.front().note = QStringLiteral("Start.");
    // Where the held ball was drawn when the file was written; kept, though unused while held.
    expected.steps.front().positions[kBall] = QPointF(11175, 8520);
    expected.steps.append(second);
    EXPECT_TRUE(read.play == expected);
}

// Version 2 adds the actions; a version 1 file is saved as version 2.
TEST(PlayFileVersions, VersionTwoReadsAndVersionOneIsSavedAsTwo)
{
    QFile file(QStringLiteral(HOOPWRIGHT_PLAY_FORMATS "/version2.hwplay"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ReadResult read = fromJson(file.readAll());
    ASSERT_EQ(read.error, QString());
    const QList<Action> &actions = read.play.steps.front().actions;
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(
        actions[0], (Action { ActionKind::Cut, 1, kNoPlayer, { { 11647.5, 8640 }, { 9000, 5000 }, { 7500, 3000 } } }));
    EXPECT_EQ(actions[1], (Action { ActionKind::Pass, 0, 1, {}, QColor(0x1f, 0x4e, 0x9a) }));
    EXPECT_EQ(actions[2], (Action { ActionKind::Text, kNoPlayer, kNoPlayer, { { 2000, 1000 } }, {}, "Swing it" }));
    EXPECT_EQ(read.play.steps[1].ballHolder, 1);
    EXPECT_EQ(checkActions(read.play, 0), QString());

    QFile one(QStringLiteral(HOOPWRIGHT_PLAY_FORMATS "/version1.hwplay"));
    ASSERT_TRUE(one.open(QIODevice::ReadOnly));
    const Play old = fromJson(one.readAll()).play;
    const QJsonObject saved = QJsonDocument::fromJson(toJson(old)).object();
    EXPECT_EQ(saved.value("version"), kFormatVersion);
    EXPECT_TRUE(fromJson(toJson(old)).play == old);
}

// Version 3 adds the play's tags; the files of earlier versions read with none.
TEST(PlayFileVersions, VersionThreeReadsItsTags)
{
    QFile file(QStringLiteral(HOOPWRIGHT_PLAY_FORMATS "/version3.hwplay"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ReadResult read = fromJson(file.readAll());
    ASSERT_EQ(read.error, QString());
    EXPECT_EQ(read.play.tags, (QStringList { "Half court", "Zone offence" }));
    EXPECT_EQ(read.play.steps.front().actions.size(), 3);
}

namespace {

// A valid play file of four steps with one value replaced (an undefined value removes it).
QByteArray edited(const QStringList &path, const QJsonValue &value)
{
    Play play = newPlay(Court::Half);
    play.steps << play.steps.front() << play.steps.front() << play.steps.front();
    const std::function<QJsonValue(const QJsonValue &, qsizetype)> replace = [&](const QJsonValue &node, qsizetype at) {
        if (at == path.size())
            return value;
        if (node.isArray()) {
            QJsonArray array = node.toArray();
            const int index = path[at].toInt();
            array[index] = replace(array[index], at + 1);
            return QJsonValue(array);
        }
        QJsonObject object = node.toObject();
        const QJsonValue inner = replace(object.value(path[at]), at + 1);
        if (inner.isUndefined())
            object.remove(path[at]);
        else
            object.insert(path[at], inner);
        return QJsonValue(object);
    };
    return QJsonDocument(replace(QJsonDocument::fromJson(toJson(play)).object(), 0).toObject()).toJson();
}

QJsonArray stepsOf(int count)
{
    const QJsonArray one = QJsonDocument::fromJson(toJson(newPlay(Court::Half))).object().value("steps").toArray();
    QJsonArray steps;
    for (int i = 0; i < count; ++i)
        steps.append(one[0]);
    return steps;
}

const QJsonValue kMissing = QJsonValue(QJsonValue::Undefined);

// The file with a cut of Ally 2 in step 2, one key of it replaced.
QByteArray withAction(const char *key, const QJsonValue &value)
{
    QJsonObject action { { "kind", "cut" }, { "player", "ally2" }, { "receiver", QJsonValue::Null },
        { "points", QJsonArray { QJsonArray { 1000, 1000 }, QJsonArray { 2000, 2000 } } } };
    if (value.isUndefined())
        action.remove(QLatin1StringView(key));
    else
        action.insert(QLatin1StringView(key), value);
    return edited({ "steps", "1", "actions" }, QJsonArray { action });
}

QJsonArray manyPoints(int count)
{
    QJsonArray points;
    for (int i = 0; i < count; ++i)
        points.append(QJsonArray { i, i });
    return points;
}

} // namespace

struct BadFileCase {
    const char *name;
    std::function<QByteArray()> bytes;
    const char *message;
};

class BadPlayFile : public ::testing::TestWithParam<BadFileCase> { };

TEST_P(BadPlayFile, IsRefusedWithWhatIsWrong)
{
    const ReadResult read = fromJson(GetParam().bytes());
    EXPECT_EQ(read.error.toStdString(), GetParam().message);
    EXPECT_TRUE(read.play.steps.isEmpty()) << "half-read";
}

INSTANTIATE_TEST_SUITE_P(Text, BadPlayFile,
    ::testing::Values(BadFileCase { "Empty", [] { return QByteArray(); }, "the file is empty" },
        BadFileCase { "OnlySpaces", [] { return QByteArray(" \r\n\t\n"); }, "the file is empty" },
        BadFileCase { "Binary", [] { return QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16); },
            "not a play file: it holds binary data, not text" },
        BadFileCase { "NotJson", [] { return QByteArray("format = hoopwright-play\n"); },
            "not a play file: it is not JSON (line 1, column 2: illegal value)" },
        BadFileCase { "NotJsonOnLineThree",
            [] { return QByteArray("{\n  \"format\": \"hoopwright-play\",\n  \"é\": 1,,\n}"); },
            "not a play file: it is not JSON (line 3, column 11: unterminated object)" },
        BadFileCase { "Latin1Note", [] { return QByteArray("{\"note\": \"caf\xe9\"}"); },
            "not a play file: it is not JSON (line 1, column 14: invalid UTF8 string)" },
        BadFileCase { "Truncated", [] { return toJson(newPlay(Court::Half)).first(40); },
            "the file ends too soon, as if cut short (line 3, column 18)" },
        BadFileCase { "TruncatedAfterALine", [] { return toJson(newPlay(Court::Half)).chopped(3); },
            "the file ends too soon, as if cut short (line 37, column 17)" },
        BadFileCase {
            "JsonList", [] { return QByteArray("[1, 2]"); }, "not a play file: it holds JSON, but not a play" }),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Format, BadPlayFile,
    ::testing::Values(BadFileCase { "NoFormat", [] { return QByteArray("{\"name\": \"a drill\"}"); },
                          "not a play file: it is JSON, but names no format" },
        BadFileCase { "AnotherFormat", [] { return edited({ "format" }, "hoopwright-board"); },
            "not a play file: its format is not hoopwright-play" },
        BadFileCase { "NewerVersion", [] { return edited({ "version" }, 4); },
            "it was written by a newer version of Hoopwright Playbook (format 4); this one reads up to format 3" },
        BadFileCase { "VersionZero", [] { return edited({ "version" }, 0); },
            "the format version is 0; versions are whole numbers from 1" },
        BadFileCase {
            "VersionAsText", [] { return edited({ "version" }, "1"); }, "the format version is not a number" },
        BadFileCase { "NoVersion", [] { return edited({ "version" }, kMissing); }, "the format version is missing" }),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Values, BadPlayFile,
    ::testing::Values(BadFileCase { "UnknownCourt", [] { return edited({ "court" }, "quarter"); },
                          "the court is \"quarter\"; it must be \"half\" or \"whole\"" },
        BadFileCase { "CourtOnTwoLines", [] { return edited({ "court" }, "half\ncourt"); },
            "the court is \"half\uFFFDcourt\"; it must be \"half\" or \"whole\"" },
        BadFileCase { "NoCourt", [] { return edited({ "court" }, kMissing); }, "the court is missing" },
        BadFileCase { "NoRoster", [] { return edited({ "roster" }, kMissing); }, "the roster is missing" },
        BadFileCase { "PlayerNotInRoster",
            [] {
                return edited({ "roster", "opponent2" }, kMissing);
            },
            "the roster: Opponent 2 is missing" },
        BadFileCase { "NumberTooHigh",
            [] {
                return edited({ "roster", "ally3", "number" }, 100);
            },
            "the roster: the number of Ally 3 lies outside 0 to 99" },
        BadFileCase { "NumberHuge",
            [] {
                return edited({ "roster", "ally3", "number" }, 1e300);
            },
            "the roster: the number of Ally 3 lies outside 0 to 99" },
        BadFileCase { "NumberNegative",
            [] {
                return edited({ "roster", "opponent5", "number" }, -1);
            },
            "the roster: the number of Opponent 5 lies outside 0 to 99" },
        BadFileCase { "NumberFraction",
            [] {
                return edited({ "roster", "ally3", "number" }, 2.5);
            },
            "the roster: the number of Ally 3 is not a whole number" },
        BadFileCase { "NumberAsText",
            [] {
                return edited({ "roster", "ally3", "number" }, "7");
            },
            "the roster: the number of Ally 3 is not a number" },
        BadFileCase { "NameTooLong",
            [] {
                return edited({ "roster", "ally1", "name" }, QString(25, 'x'));
            },
            "the roster: the name of Ally 1 is longer than 24 characters" },
        BadFileCase { "NameNotText",
            [] {
                return edited({ "roster", "ally1", "name" }, QJsonArray {});
            },
            "the roster: the name of Ally 1 is not text" },
        BadFileCase { "NoSteps", [] { return edited({ "steps" }, kMissing); }, "the list of steps is missing" },
        BadFileCase { "StepsNotAList", [] { return edited({ "steps" }, QJsonObject {}); },
            "the list of steps is not a JSON array" },
        BadFileCase { "EmptySteps", [] { return edited({ "steps" }, QJsonArray {}); }, "the play has no steps" },
        BadFileCase { "TooManySteps", [] { return edited({ "steps" }, stepsOf(kMaxSteps + 1)); },
            "the play has 10001 steps; a play has at most 10000" },
        BadFileCase { "StepNotAnObject",
            [] {
                return edited({ "steps", "1" }, 5);
            },
            "step 2 is not a JSON object" },
        BadFileCase { "NoPositions",
            [] {
                return edited({ "steps", "0", "positions" }, kMissing);
            },
            "step 1: the table of positions is missing" },
        BadFileCase { "PositionOutside",
            [] {
                return edited({ "steps", "3", "positions", "opponent2" }, QJsonArray { 15856, 10 });
            },
            "step 4: the position of Opponent 2 lies outside the court" },
        BadFileCase { "PositionNegative",
            [] {
                return edited({ "steps", "2", "positions", "ally1" }, QJsonArray { 10, -0.5 });
            },
            "step 3: the position of Ally 1 lies outside the court" },
        BadFileCase { "BallOutside",
            [] {
                return edited({ "steps", "0", "positions", "ball" }, QJsonArray { 1e300, 10 });
            },
            "step 1: the position of the ball lies outside the court" },
        BadFileCase { "PositionOneNumber",
            [] {
                return edited({ "steps", "0", "positions", "ally2" }, QJsonArray { 10 });
            },
            "step 1: the position of Ally 2 is not a pair of numbers [x, y]" },
        BadFileCase { "PositionText",
            [] {
                return edited({ "steps", "0", "positions", "ally2" }, "10, 10");
            },
            "step 1: the position of Ally 2 is not a pair of numbers [x, y]" },
        BadFileCase { "NoPosition",
            [] {
                return edited({ "steps", "1", "positions", "ball" }, kMissing);
            },
            "step 2: the position of the ball is missing" },
        BadFileCase { "HolderNobody",
            [] {
                return edited({ "steps", "0", "ballHolder" }, "ball");
            },
            "step 1: the ball's holder is \"ball\", which is no player" },
        BadFileCase { "HolderNumber",
            [] {
                return edited({ "steps", "0", "ballHolder" }, 3);
            },
            "step 1: the ball's holder is not text" },
        BadFileCase { "NoHolder",
            [] {
                return edited({ "steps", "0", "ballHolder" }, kMissing);
            },
            "step 1: the ball's holder is missing" },
        BadFileCase { "NoteTooLong",
            [] {
                return edited({ "steps", "1", "note" }, QString(kMaxNoteLength + 1, 'n'));
            },
            "step 2: the note is longer than 4000 characters" },
        BadFileCase { "NoNote",
            [] {
                return edited({ "steps", "1", "note" }, kMissing);
            },
            "step 2: the note is missing" }),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Tags, BadPlayFile,
    ::testing::Values(
        BadFileCase { "NoTags", [] { return edited({ "tags" }, kMissing); }, "the list of tags is missing" },
        BadFileCase {
            "TagsNotAList", [] { return edited({ "tags" }, "Zone"); }, "the list of tags is not a JSON array" },
        BadFileCase { "TagNotText", [] { return edited({ "tags" }, QJsonArray { 3 }); }, "tag 1 is not text" },
        BadFileCase { "EmptyTag",
            [] {
                return edited({ "tags" }, QJsonArray { "Zone", " " });
            },
            "tag 2: it is empty" },
        BadFileCase { "TagTooLong", [] { return edited({ "tags" }, QJsonArray { QString(33, 'x') }); },
            "tag 1: it is longer than 32 characters" },
        BadFileCase { "TagOnTwoLines", [] { return edited({ "tags" }, QJsonArray { "Zone\noffence" }); },
            "tag 1: it holds a line break" },
        BadFileCase { "TagTwice",
            [] {
                return edited({ "tags" }, QJsonArray { "Zone", "Press", "Zone" });
            },
            "tag 3: \"Zone\" is there twice" },
        BadFileCase { "TooManyTags",
            [] {
                QJsonArray tags;
                for (int i = 0; i <= kMaxTags; ++i)
                    tags.append(QString::number(i));
                return edited({ "tags" }, tags);
            },
            "the play has 17 tags; a play has at most 16" }),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Actions, BadPlayFile,
    ::testing::Values(BadFileCase { "NoActions",
                          [] {
                              return edited({ "steps", "2", "actions" }, kMissing);
                          },
                          "step 3: the list of actions is missing" },
        BadFileCase { "ActionsNotAList",
            [] {
                return edited({ "steps", "2", "actions" }, 4);
            },
            "step 3: the list of actions is not a JSON array" },
        BadFileCase { "TooManyActions",
            [] {
                return edited({ "steps", "0", "actions" }, QJsonArray::fromVariantList(QVariantList(kMaxActions + 1)));
            },
            "step 1: the step has 501 actions; a step has at most 500" },
        BadFileCase { "ActionNotAnObject",
            [] {
                return edited({ "steps", "1", "actions" }, QJsonArray { 1 });
            },
            "step 2: action 1 is not a JSON object" },
        BadFileCase { "UnknownKind", [] { return withAction("kind", "lob"); },
            "step 2: action 1: the kind is \"lob\"; it must be one of cut, pass, dribble, screen, handoff, shot, pen, "
            "text" },
        BadFileCase { "NoKind", [] { return withAction("kind", kMissing); }, "step 2: action 1: the kind is missing" },
        BadFileCase { "PlayerTheBall", [] { return withAction("player", "ball"); },
            "step 2: action 1: the player is \"ball\", which is no player" },
        BadFileCase { "CutOfNobody", [] { return withAction("player", QJsonValue::Null); },
            "step 2: action 1, a cut, is by no player on the court" },
        BadFileCase { "NoReceiver", [] { return withAction("receiver", kMissing); },
            "step 2: action 1: the receiver is missing" },
        BadFileCase { "CutWithAReceiver", [] { return withAction("receiver", "ally3"); },
            "step 2: the cut of Ally 2 has a receiver; only a pass or a handoff has one" },
        BadFileCase { "PointsNotAList", [] { return withAction("points", "1,2"); },
            "step 2: action 1: the points are not a JSON array" },
        BadFileCase { "PointOneNumber", [] { return withAction("points", QJsonArray { QJsonArray { 1 } }); },
            "step 2: action 1: the points: a point is not a pair of numbers [x, y]" },
        BadFileCase { "OnePoint", [] { return withAction("points", manyPoints(1)); },
            "step 2: the cut of Ally 2 has fewer than two points" },
        BadFileCase { "TooManyPoints", [] { return withAction("points", manyPoints(kMaxPoints + 1)); },
            "step 2: action 1: the points number 2001; an action has at most 2000" },
        BadFileCase { "PointOutside",
            [] {
                return withAction("points", QJsonArray { QJsonArray { 1, 1 }, QJsonArray { 1, 9571 } });
            },
            "step 2: action 1, a cut, has a point outside the court" },
        BadFileCase { "ColourByName", [] { return withAction("colour", "red"); },
            "step 2: action 1: the colour is \"red\"; it must be written #rrggbb" },
        BadFileCase { "ColourWithAlpha", [] { return withAction("colour", "#ff000080"); },
            "step 2: action 1: the colour is \"#ff000080\"; it must be written #rrggbb" },
        BadFileCase { "CutWithText", [] { return withAction("text", "x"); },
            "step 2: the cut of Ally 2 has a text; only a text has one" },
        BadFileCase { "TextTooLong",
            [] {
                return edited({ "steps", "0", "actions" },
                    QJsonArray { QJsonObject { { "kind", "text" }, { "player", QJsonValue::Null },
                        { "receiver", QJsonValue::Null }, { "points", QJsonArray { QJsonArray { 5, 5 } } },
                        { "text", QString(kMaxTextLength + 1, 't') } } });
            },
            "step 1: action 1, a text, is longer than 200 characters" }),
    [](const auto &info) { return std::string(info.param.name); });

// Keys this version does not know are passed over: files may carry more than it reads.
TEST(PlayFileExtras, UnknownKeysAreIgnored)
{
    const QByteArray bytes = edited({ "steps", "0", "positions", "referee" }, QJsonArray { 1, 2 });
    QJsonObject root = QJsonDocument::fromJson(bytes).object();
    root.insert("comment", "drawn on the bus");
    EXPECT_EQ(fromJson(QJsonDocument(root).toJson()).error, QString());
}

TEST(PlayFileExtras, AByteOrderMarkIsAllowed)
{
    EXPECT_EQ(fromJson("\xef\xbb\xbf" + toJson(newPlay(Court::Half))).error, QString());
}

class PlayFileOnDisk : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    QStringList entries(const QString &folder) const
    {
        return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
    }

    QTemporaryDir dir;
};

TEST_F(PlayFileOnDisk, WhatIsNoPlayFileIsRefusedWithoutBlockingOrReading)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.hwplay")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.hwplay")));
    QFile huge(path("huge.hwplay")); // sparse: refused by its size, never read
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(100 * 1024 * 1024));
    huge.close();
    QFile empty(path("empty.hwplay"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();

    EXPECT_EQ(readPlayFile(path("pipe.hwplay")).error,
        QStringLiteral("it is not an ordinary file (a device, a pipe or a socket)"));
    EXPECT_EQ(readPlayFile(path("folder.hwplay")).error, QStringLiteral("it is a folder, not a play file"));
    // The sizes in the user's locale: "100.0 MB" and "16.0 MB" in English.
    const auto size
        = [](qint64 bytes) { return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat); };
    EXPECT_EQ(readPlayFile(path("huge.hwplay")).error,
        QStringLiteral("the file is too large for a play (%1; a play file holds at most %2)")
            .arg(size(100 * 1024 * 1024), size(kMaxFileSize)));
    EXPECT_EQ(readPlayFile(path("empty.hwplay")).error, QStringLiteral("the file is empty"));
    EXPECT_EQ(readPlayFile(path("absent.hwplay")).error, QStringLiteral("there is no such file"));
}

TEST_F(PlayFileOnDisk, CheckNamesEachBadFileOnItsOwnLine)
{
    ASSERT_EQ(writePlayFile(newPlay(Court::Half), path("good.hwplay")), QString());
    QFile bad(path("bad.hwplay"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(edited({ "version" }, 4));
    bad.close();
    // It reads, but its pass cannot run as drawn.
    Play passless = newPlay(Court::Half);
    passless.steps.front().actions = { Action { ActionKind::Pass, 2, 1 } };
    ASSERT_EQ(writePlayFile(passless, path("passless.hwplay")), QString());

    QString text;
    QTextStream out(&text);
    EXPECT_EQ(checkPlayFiles({ path("good.hwplay") }, out), 0);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(checkPlayFiles(
                  { path("bad.hwplay"), path("good.hwplay"), path("absent.hwplay"), path("passless.hwplay") }, out),
        1);
    EXPECT_EQ(text,
        path("bad.hwplay")
            + ": it was written by a newer version of Hoopwright Playbook (format 4); this one reads up to format 3\n"
            + path("absent.hwplay") + ": there is no such file\n" + path("passless.hwplay")
            + ": step 1: Ally 3 passes without the ball; Ally 1 has it\n");
}

TEST_F(PlayFileOnDisk, SavingReplacesTheFileWhole)
{
    ASSERT_EQ(writePlayFile(newPlay(Court::Half), path("play.hwplay")), QString());
    ASSERT_EQ(writePlayFile(namedPlay(), path("play.hwplay")), QString());
    EXPECT_TRUE(readPlayFile(path("play.hwplay")).play == namedPlay());
    EXPECT_EQ(entries(dir.path()), QStringList { QStringLiteral("play.hwplay") });
}

TEST_F(PlayFileOnDisk, APlayThatWouldNotReadBackIsNotSaved)
{
    Play play = newPlay(Court::Half);
    play.steps.front().positions[2] = QPointF(-1, 5);
    EXPECT_EQ(writePlayFile(play, path("play.hwplay")),
        QStringLiteral("step 1: the position of Ally 3 lies outside the court"));
    // JSON has no NaN: it would be written as null.
    play.steps.front().positions[2] = QPointF(std::nan(""), 5);
    EXPECT_EQ(writePlayFile(play, path("play.hwplay")),
        QStringLiteral("step 1: the position of Ally 3 lies outside the court"));
    EXPECT_EQ(writePlayFile(Play {}, path("play.hwplay")), QStringLiteral("the play has no steps"));
    EXPECT_TRUE(entries(dir.path()).isEmpty());
}

struct WriteFailureCase {
    const char *name;
    const char *reason; // %1 stands for the file's path
};

class PlayFileWriteFailure : public PlayFileOnDisk, public ::testing::WithParamInterface<WriteFailureCase> { };

// Each failure gives the system's reason and leaves the folder as it was: the earlier
// file intact, no temporary file beside it.
TEST_P(PlayFileWriteFailure, GivesTheReasonAndLeavesNothingBehind)
{
    const std::string name = GetParam().name;
    QString folder = path("plays");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString earlier = folder + QStringLiteral("/play.hwplay");
    std::unique_ptr<TmpfsMount> mount;
    if (name == "VanishedFolder") {
        ASSERT_TRUE(QDir(folder).removeRecursively());
    } else if (name == "UnderAFile") {
        ASSERT_EQ(writePlayFile(newPlay(Court::Half), earlier), QString());
        folder = earlier;
    } else {
        mount = std::make_unique<TmpfsMount>(folder, "64k");
        if (!mount->mounted())
            GTEST_SKIP() << mount->skipReason();
        ASSERT_EQ(writePlayFile(newPlay(Court::Half), earlier), QString());
        if (name == "ReadOnlyFolder") {
            ASSERT_EQ(
                ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
        } else {
            mount->fill();
        }
    }
    const QStringList before = entries(folder);
    const QByteArray earlierBytes = toJson(newPlay(Court::Half));

    const QString target = folder + QStringLiteral("/play.hwplay");
    EXPECT_EQ(writePlayFile(manySteps(200), target), QString::fromUtf8(GetParam().reason).replace("%1", target));
    EXPECT_EQ(entries(folder), before);
    if (!before.isEmpty() && name != "UnderAFile") {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), earlierBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, PlayFileWriteFailure,
    ::testing::Values(WriteFailureCase { "VanishedFolder", "No such file or directory" },
        WriteFailureCase { "UnderAFile", "Not a directory" },
        WriteFailureCase { "ReadOnlyFolder", "Existing file %1 is not writable" },
        WriteFailureCase { "FullDisk", "No space left on device" }),
    [](const auto &info) { return std::string(info.param.name); });
