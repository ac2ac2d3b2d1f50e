#include "board_check.h"

#include "help_text.h"
#include "history.h"
#include "sample_games.h"
#include "window_fixture.h"

#include <QPalette>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kubiq::test {
namespace {

using monkey::Board;
using monkey::BoardReader;
using monkey::brokenHistory;
using monkey::brokenRule;
using monkey::brokenStep;
using monkey::ExpectedHistory;

class BoardCheckTest : public WindowTest {
protected:
    Board board() const { return BoardReader(window).read(); }
};

TEST_F(BoardCheckTest, APlayedGameKeepsEveryRule) {
    std::string inBox = "the box never showed";
    messageBox.onShow = [&] { inBox = brokenRule(board(), true); };
    Board last = board();
    EXPECT_EQ(brokenRule(last), "");
    const auto step = [&](const char* what) {
        SCOPED_TRACE(what);
        const Board now = board();
        EXPECT_EQ(brokenRule(now), "");
        EXPECT_EQ(brokenStep(last, now, !messageBox.shown().empty()), "");
        last = now;
    };
    roll("12345");
    step("a first roll");
    click(holdButton(0));
    step("a die held");
    roll("6666");
    step("a second roll");
    roll("6666");
    step("the third roll");
    click(categoryButton(GrosseStrasse));
    step("an entry");
    for (const auto& [faces, category] : kGame230) {
        if (category == GrosseStrasse)
            continue;
        roll(faces);
        step(faces);
        click(categoryButton(category));
        step("entered");
    }
    EXPECT_EQ(inBox, "");
    EXPECT_EQ(monkey::shownTotal(last), -1) << "a new game has begun";

    click(control(QStringLiteral("CommandHelp")));
    EXPECT_EQ(brokenRule(board()), "");
}

class BoardCheckFaults;

// One way of breaking the window: what to play first, the fault, and what the check must say.
struct Fault {
    const char* name;
    std::function<void(BoardCheckFaults&)> play;
    std::function<void(BoardCheckFaults&)> fault;
    const char* caught;
};

// The window's controls and moves, open to the table of faults.
class BoardCheckFaults : public BoardCheckTest, public ::testing::WithParamInterface<Fault> {
public:
    using BoardCheckTest::categoryButton;
    using BoardCheckTest::cell;
    using BoardCheckTest::click;
    using BoardCheckTest::control;
    using BoardCheckTest::die;
    using BoardCheckTest::holdButton;
    using BoardCheckTest::roll;
    using BoardCheckTest::rollButton;
    using BoardCheckTest::tip;
    using BoardCheckTest::turn;
};

void PrintTo(const Fault& fault, std::ostream* out) {
    *out << fault.name;
}

void nothing(BoardCheckFaults&) {}

void paintRed(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(255, 0, 0));
    label->setPalette(palette);
}

const Fault kFaults[] = {
    {"AScoreInAnOpenCategory", nothing, [](BoardCheckFaults& f) { f.cell(Dreier)->setText("9"); },
     "category 2 is open but its cell reads \"9\""},
    {"AClosedCategoryWhoseButtonIsEnabledAgain",
     [](BoardCheckFaults& f) { f.turn("33355", Dreier); },
     [](BoardCheckFaults& f) { f.categoryButton(Dreier)->setEnabled(true); },
     "category 2 is open but its cell reads \"9\""},
    {"AnEmptyCategoryWhoseButtonIsDisabled", nothing,
     [](BoardCheckFaults& f) { f.categoryButton(Chance)->setEnabled(false); },
     "category 12 is closed with the score \"\""},
    {"AnEntryThatRundeDoesNotCount", nothing,
     [](BoardCheckFaults& f) {
         f.categoryButton(Kubiq)->setEnabled(false);
         f.cell(Kubiq)->setText("0");
     },
     "Runde is 1 with 1 categories entered"},
    {"AScoreNoDiceGive", [](BoardCheckFaults& f) { f.turn("11112", Einer); },
     [](BoardCheckFaults& f) { f.cell(Einer)->setText("7"); },
     "category 0 is closed with the score \"7\""},
    {"AClosedCategoryOfferingATip",
     [](BoardCheckFaults& f) {
         f.turn("33355", Dreier);
         f.roll("33355");
     },
     [](BoardCheckFaults& f) { f.tip(Dreier)->setText("9"); },
     "category 2 is closed but offers the tip \"9\""},
    {"ATipTheDiceDoNotGive", [](BoardCheckFaults& f) { f.roll("33355"); },
     [](BoardCheckFaults& f) { f.tip(FullHouse)->setText(""); },
     "category 8 offers the tip \"\" instead of \"25\""},
    {"ATipBeforeTheFirstRoll", nothing, [](BoardCheckFaults& f) { f.tip(Chance)->setText("5"); },
     "category 12 offers the tip \"5\" instead of \"\""},
    {"AWrongUpperSum", [](BoardCheckFaults& f) { f.turn("33355", Dreier); },
     [](BoardCheckFaults& f) { f.cell(SumCell::GesamtOben)->setText("8"); },
     "LabelPunkte(100) reads \"8\" instead of \"9\""},
    {"ABonusBelowItsThreshold", [](BoardCheckFaults& f) { f.turn("33355", Dreier); },
     [](BoardCheckFaults& f) { f.cell(SumCell::BonusOben)->setText("35"); },
     "LabelPunkte(101) reads \"35\" instead of \"\""},
    {"ATotalBeforeTheFirstEntry", nothing,
     [](BoardCheckFaults& f) { f.cell(SumCell::Total)->setText("0"); },
     "LabelPunkte(106) reads \"0\" instead of \"\""},
    {"ALowerSumMissingAnEntry", [](BoardCheckFaults& f) { f.turn("66666", Kubiq); },
     [](BoardCheckFaults& f) { f.cell(SumCell::Summe2)->setText("0"); },
     "LabelPunkte(105) reads \"0\" instead of \"50\""},
    {"OneBlankDieAmongFaces", [](BoardCheckFaults& f) { f.roll("12345"); },
     [](BoardCheckFaults& f) { f.die(2)->setText(""); }, "1 dice are blank and the others not"},
    {"AFaceOfSeven", [](BoardCheckFaults& f) { f.roll("12345"); },
     [](BoardCheckFaults& f) { f.die(4)->setText("7"); }, "die 4 shows \"7\""},
    {"FacesAtTheStartOfATurn", nothing,
     [](BoardCheckFaults& f) {
         for (int i = 0; i < kDiceCount; ++i)
             f.die(i)->setText("6");
     },
     "the dice show faces at Versuch 1"},
    {"BlankDiceAfterARoll", [](BoardCheckFaults& f) { f.roll("12345"); },
     [](BoardCheckFaults& f) {
         for (int i = 0; i < kDiceCount; ++i)
             f.die(i)->setText("");
     },
     "all dice are blank at Versuch 2"},
    {"ABlankDieHeld", nothing, [](BoardCheckFaults& f) { paintRed(f.die(0)); },
     "blank die 0 is held"},
    {"ADisabledHoldButton", nothing,
     [](BoardCheckFaults& f) { f.holdButton(2)->setEnabled(false); }, "hold button 2 is disabled"},
    {"TheRollButtonEnabledAfterTheThirdRoll",
     [](BoardCheckFaults& f) {
         f.roll("12345");
         f.roll("12345");
         f.roll("12345");
     },
     [](BoardCheckFaults& f) { f.rollButton()->setEnabled(true); },
     "the roll button is enabled at Versuch 4"},
    {"TheRollButtonNamingTheWrongAttempt", nothing,
     [](BoardCheckFaults& f) { f.rollButton()->setText(QStringLiteral("Würfeln  (2. Versuch)")); },
     "the roll button reads \"Würfeln  (2. Versuch)\" at Versuch 1"},
    {"ThePanelOverTheGameView", nothing,
     [](BoardCheckFaults& f) { f.control(QStringLiteral("Frame3"))->show(); },
     "the panel and the game view are mixed"},
    {"ThePanelOpenedTheOldWayLeavingTheFocusHidden", nothing,
     [](BoardCheckFaults& f) {
         f.control(QStringLiteral("CommandHelp"))->setFocus();
         for (const char* name : {"Frame1", "Frame2", "CommandHelp", "CommandExit"})
             f.control(QLatin1String(name))->hide();
         for (const char* name : {"Frame3", "CommandOK"})
             f.control(QLatin1String(name))->show();
     },
     "the keyboard focus rests on the hidden CommandExit"},
    {"ThePanelWithoutItsOKButton",
     [](BoardCheckFaults& f) { f.click(f.control(QStringLiteral("CommandHelp"))); },
     [](BoardCheckFaults& f) { f.control(QStringLiteral("CommandOK"))->hide(); },
     "the panel and the game view are mixed"},
};

TEST_P(BoardCheckFaults, AreCaught) {
    const Fault& fault = GetParam();
    fault.play(*this);
    ASSERT_EQ(brokenRule(board()), "") << "the window keeps the rules before the fault";
    fault.fault(*this);
    EXPECT_EQ(brokenRule(board()).rfind(fault.caught, 0), 0u) << brokenRule(board());
}

INSTANTIATE_TEST_SUITE_P(Window, BoardCheckFaults, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

// A board after "12345" has been rolled once, die 0 held.
Board rolledOnce() {
    Board board;
    board.versuch = 2;
    board.runde = 3;
    board.dice = {"1", "2", "3", "4", "5"};
    board.red = {true, false, false, false, false};
    board.open.fill(true);
    board.open[Einer] = board.open[Kubiq] = false;
    board.scores[Einer] = "3";
    board.scores[Kubiq] = "50";
    return board;
}

TEST(BoardStep, CatchesChangesNoSingleEventMakes) {
    const struct {
        const char* why;
        std::function<void(Board&)> change;
        bool gameOver;
        int clicks;
        const char* caught;
    } rows[] = {
        {"a roll is one step",
         [](Board& b) {
             b.versuch = 3;
             b.dice[1] = "6";
         },
         false, 1, ""},
        {"an entry starts the next turn",
         [](Board& b) {
             b.versuch = 1;
             b.open[Chance] = false;
             b.scores[Chance] = "15";
             b.dice = {};
         },
         false, 1, ""},
        {"an entry changed", [](Board& b) { b.scores[Einer] = "4"; }, false, 1,
         "the entry of category 0 changed from \"3\" to \"4\""},
        {"an entry wiped",
         [](Board& b) {
             b.open[Kubiq] = true;
             b.scores[Kubiq] = "";
         },
         false, 1, "the entry of category 11 changed"},
        {"two entries at once",
         [](Board& b) {
             b.open[Chance] = b.open[Zweier] = false;
             b.scores[Chance] = "15";
             b.scores[Zweier] = "2";
         },
         false, 1, "2 categories were entered by 1 clicks"},
        {"two rolls by one click", [](Board& b) { b.versuch = 4; }, false, 1,
         "Versuch went from 2 to 4"},
        {"two rolls by a double click", [](Board& b) { b.versuch = 4; }, false, 2, ""},
        {"Versuch going back other than to a new turn", [](Board& b) { b.versuch = 0; }, false, 1,
         "Versuch went from 2 to 0"},
        {"a held die rolled",
         [](Board& b) {
             b.versuch = 3;
             b.dice[0] = "6";
         },
         false, 1, "held die 0 changed from \"1\" to \"6\""},
        {"the end of a game clears the sheet",
         [](Board& b) {
             b.open.fill(true);
             b.scores = {};
             b.versuch = 1;
         },
         true, 1, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        Board after = rolledOnce();
        row.change(after);
        const std::string broken = brokenStep(rolledOnce(), after, row.gameOver, row.clicks);
        if (*row.caught == '\0')
            EXPECT_EQ(broken, "");
        else
            EXPECT_EQ(broken.rfind(row.caught, 0), 0u) << broken;
    }
}

// The panel's text as the window shows it for this history.
QString panelFor(const History& history) {
    return QString::fromStdString(helpText(history.SpielstandText()))
        .replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

TEST(ExpectedHistory, ThreeLinesPerGameWithTheRunningTotalAndTheAverageHalfUp) {
    ExpectedHistory expected;
    for (int total : {230, 201, 260, 0})
        expected.record(total);
    EXPECT_EQ(expected.lines(),
              QStringList({"1. Spiel: 230 Punkte", "Punkte gesamt: 230", "Durchschnitt: 230",
                           "2. Spiel: 201 Punkte", "Punkte gesamt: 431", "Durchschnitt: 216",
                           "3. Spiel: 260 Punkte", "Punkte gesamt: 691", "Durchschnitt: 230",
                           "4. Spiel: 0 Punkte", "Punkte gesamt: 691", "Durchschnitt: 173"}));
}

TEST(ExpectedHistory, StopsAtTheLastCountableGame) {
    ExpectedHistory expected;
    for (int n = 0; n < ExpectedHistory::kMaxGames + 2; ++n)
        expected.record(100);
    EXPECT_EQ(expected.games(), 32767);
    EXPECT_EQ(expected.lines().size(), 3 * 32767);
    EXPECT_EQ(expected.lines().back(), "Durchschnitt: 100");
}

TEST(BrokenHistory, ComparesThePanelLineByLine) {
    History history;
    ExpectedHistory expected;
    EXPECT_EQ(brokenHistory(panelFor(history), expected), "") << "no games yet";
    for (int total : {230, 201, 260}) {
        history.record(total);
        expected.record(total);
    }
    EXPECT_EQ(brokenHistory(panelFor(history), expected), "");

    const struct {
        const char* why;
        QString panel;
        const char* caught;
    } rows[] = {
        {"a game missing", panelFor(History()), "history line 1 reads \"(nothing)\""},
        {"a wrong average",
         panelFor(history).replace(QLatin1String("Durchschnitt: 216"),
                                   QLatin1String("Durchschnitt: 215")),
         "history line 6 reads \"Durchschnitt: 215\" instead of \"Durchschnitt: 216\""},
        {"a gap in the numbers",
         panelFor(history).replace(QLatin1String("3. Spiel"), QLatin1String("4. Spiel")),
         "history line 7 reads \"4. Spiel: 260 Punkte\""},
        {"a line too many", panelFor(history) + QStringLiteral("Durchschnitt: 230\n"),
         "history line 10 reads \"Durchschnitt: 230\" instead of \"(nothing)\""},
        {"a line cut short", panelFor(history).chopped(1), "the panel's text does not end"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        const std::string broken = brokenHistory(row.panel, expected);
        EXPECT_EQ(broken.rfind(row.caught, 0), 0u) << broken;
    }
}

} // namespace
} // namespace kubiq::test
