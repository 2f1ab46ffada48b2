#include "play/playtext.h"

#include <gtest/gtest.h>

using namespace play;

namespace {

// A point given in pixels of the court picture, as the court's lines are drawn.
QPointF px(double x, double y)
{
    return QPointF(x, y) * kTwipsPerPixel;
}

} // namespace

struct SpotCase {
    Court court;
    QPointF at;
    const char *name;
};

class SpotName : public ::testing::TestWithParam<SpotCase> { };

TEST_P(SpotName, NamesTheSpotACoachWouldCallIt)
{
    EXPECT_EQ(spotName(GetParam().court, GetParam().at), QString::fromUtf8(GetParam().name));
}

// The half court's basket is at the top: left and right are the picture's. On the whole
// court the offence faces the basket of its half, so the right end's left block lies at the
// picture's top.
INSTANTIATE_TEST_SUITE_P(Courts, SpotName,
    ::testing::Values(SpotCase { Court::Half, px(528.5, 90), "the basket" },
        SpotCase { Court::Half, px(385, 150), "the left block" },
        SpotCase { Court::Half, px(672, 120), "the right block" },
        SpotCase { Court::Half, px(410, 255), "the left elbow" },
        SpotCase { Court::Half, px(528.5, 240), "the free-throw line" },
        SpotCase { Court::Half, px(40, 40), "the left corner" },
        SpotCase { Court::Half, px(1010, 60), "the right corner" },
        SpotCase { Court::Half, px(180, 400), "the left wing" },
        SpotCase { Court::Half, px(528.5, 490), "the top of the key" },
        SpotCase { Court::Half, px(500, 606), "half court" }, SpotCase { Court::Whole, px(75, 300), "the basket" },
        SpotCase { Court::Whole, px(984, 300), "the basket" },
        SpotCase { Court::Whole, px(100, 410), "the left block" },
        SpotCase { Court::Whole, px(959, 190), "the left block" },
        SpotCase { Court::Whole, px(30, 40), "the right corner" },
        SpotCase { Court::Whole, px(300, 300), "the top of the key" },
        SpotCase { Court::Whole, px(529.5, 100), "half court" }));

namespace {

// Ally 1 "Sam" holds the ball at the top of the key; ally 2 is on the left wing, ally 3 on
// the right wing, ally 5 at the right elbow.
Play sentencePlay(const Action &action)
{
    Play play = newPlay(Court::Half);
    play.roster[0].name = QStringLiteral("Sam");
    Step &step = play.steps.front();
    step.positions[0] = px(528.5, 500);
    step.positions[1] = px(200, 390);
    step.positions[2] = px(857, 390);
    step.positions[4] = px(653.5, 250);
    step.ballHolder = 0;
    step.actions = { action };
    return play;
}

} // namespace

struct SentenceCase {
    const char *name;
    Action action;
    const char *text;
};

void PrintTo(const SentenceCase &c, std::ostream *os)
{
    *os << c.name;
}

class ActionSentence : public ::testing::TestWithParam<SentenceCase> { };

TEST_P(ActionSentence, SaysWhoDoesWhatAndWhere)
{
    EXPECT_EQ(actionText(sentencePlay(GetParam().action), 0, 0), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Kinds, ActionSentence,
    ::testing::Values(SentenceCase { "cut", { ActionKind::Cut, 1, kNoPlayer, { px(200, 390), px(390, 140) } },
                          "2 cuts to the left block." },
        SentenceCase { "pass", { ActionKind::Pass, 0, 2 }, "1 (Sam) passes to 3." },
        SentenceCase { "dribble", { ActionKind::Dribble, 0, kNoPlayer, { px(528.5, 500), px(850, 400) } },
            "1 (Sam) dribbles to the right wing." },
        SentenceCase { "handoff", { ActionKind::Handoff, 0, 1 }, "1 (Sam) hands off to 2." },
        SentenceCase { "shot", { ActionKind::Shot, 0 }, "1 (Sam) shoots from the top of the key." },
        SentenceCase { "screen beside a teammate",
            { ActionKind::Screen, 4, kNoPlayer, { px(653.5, 250), px(240, 370) } }, "5 screens for 2." },
        SentenceCase { "screen with no one near",
            { ActionKind::Screen, 4, kNoPlayer, { px(653.5, 250), px(528.5, 160) } }, "5 sets a screen at the lane." },
        SentenceCase { "an opponent", { ActionKind::Cut, 6, kNoPlayer, { px(100, 100), px(528.5, 80) } },
            "X2 cuts to the basket." },
        SentenceCase { "text",
            { ActionKind::Text, kNoPlayer, kNoPlayer, { px(500, 500) }, {}, QStringLiteral("Watch\n3") },
            "Written on the court: \"Watch 3\"." },
        SentenceCase { "pen", { ActionKind::Pen, kNoPlayer, kNoPlayer, { px(10, 10), px(50, 50) } }, "" }));

TEST(PlayText, NamesThePlayItsTagsAndEachStepWithItsActionsThenItsNote)
{
    Play play = sentencePlay({ ActionKind::Pass, 0, 2 });
    play.tags = QStringList { QStringLiteral("Horns"), QStringLiteral("Zone offence") };
    Step &first = play.steps.front();
    first.actions.append({ ActionKind::Cut, 1, kNoPlayer, { px(200, 390), px(390, 140) } });
    first.note = QStringLiteral("Read the\n  defence.");
    Step second = first;
    second.actions.clear();
    second.note.clear();
    play.steps.append(second);

    EXPECT_EQ(playText(play, QStringLiteral("Horns Flare")),
        QStringLiteral("Horns Flare\n"
                       "Tags: Horns, Zone offence\n"
                       "Step 1. 1 (Sam) passes to 3. 2 cuts to the left block. Read the defence.\n"
                       "Step 2.\n"));
}
