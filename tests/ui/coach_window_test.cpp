#include "board_analysis.h"
#include "board_details.h"
#include "board_dialog.h"
#include "chance_marks.h"
#include "choice_table_model.h"
#include "coach_fixture.h"
#include "coach_texts.h"
#include "coach_window.h"
#include "sheet_rows.h"
#include "slip_marks.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <numeric>

namespace kubiq::test {
namespace {

TEST_F(CoachWindowTest, F2OpensTheCoachBesideTheGameAndClosesIt) {
    EXPECT_EQ(coach(), nullptr) << "never open at start";
    roll("66612");
    pressF2(&window);
    ASSERT_NE(coach(), nullptr);
    EXPECT_TRUE(coach()->isVisible());
    EXPECT_TRUE(coach()->isWindow());
    EXPECT_FALSE(coach()->isModal());
    EXPECT_EQ(coach()->windowTitle(), "KUBIQ – Berater");

    pressF2(&window);
    EXPECT_FALSE(coach()->isVisible());
    pressF2(&window);
    EXPECT_TRUE(coach()->isVisible());
    pressF2(coach());
    EXPECT_FALSE(coach()->isVisible()) << "F2 closes it from its own window too";
    EXPECT_EQ(faces(), "66612") << "the game is unchanged";
    EXPECT_EQ(window.Versuch(), 2);
}

TEST_F(CoachWindowTest, TheContextMenuOffersTheCoach) {
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions().front()->text(), "Berater…");
        menu->actions().front()->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(tip(Chance), &event);
    ASSERT_NE(coach(), nullptr);
    EXPECT_TRUE(coach()->isVisible());
}

TEST_F(CoachWindowTest, FollowsTheBoardOnScreen) {
    pressF2(&window);
    const Advice atStart = *table.advise(Position());
    EXPECT_EQ(line("Erwartet"), coachNumber(atStart.expectedTotal)) << "large, alone";
    EXPECT_EQ(part<QLabel>("Erwartet")->accessibleName(), expectedLine(atStart.expectedTotal));
    EXPECT_TRUE(entries().isEmpty()) << "nothing to choose before the first roll";
    EXPECT_EQ(line("LetzterZug"), "Letzter Zug: noch keiner");
    EXPECT_EQ(line("Bonus"), bonusLine(atStart.bonus));

    roll("66665");
    // The bonus chances of the board in words and in bars; the table's rows: the best eight
    // holds and the best entry, each with its bonus chances after it.
    const std::optional<BoardAnalysis> analysis = analyse(table, firstRoll("66665"));
    ASSERT_TRUE(analysis);
    EXPECT_EQ(line("Bonus"), bonusLine(analysis->advice.bonus));
    EXPECT_EQ(part<QWidget>("BonusBalken")->accessibleName(), line("Bonus"));
    ASSERT_EQ(entries().size(), static_cast<qsizetype>(analysis->rows.size()));
    EXPECT_GE(entries().size(), static_cast<qsizetype>(kTableHolds) + 1);
    EXPECT_TRUE(entries().front().startsWith("6 6 6 6")) << entries().front().toStdString();
    EXPECT_EQ(entries().count(choiceText({{}, analysis->advice.entries.front().category})), 1)
        << "the best entry now";
    const QStringList upper = column(ChoiceTableModel::Upper);
    for (std::size_t i = 0; i < analysis->rows.size(); ++i)
        EXPECT_EQ(upper[static_cast<qsizetype>(i)],
                  percentText(analysis->rows[i].outlook.bonus.upper));
    // A screen reader hears every line, and Tab reaches each of them and the table.
    coach()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(coach()));
    QSet<QWidget*> reached;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(coach()->focusWidget() ? coach()->focusWidget() : coach(), Qt::Key_Tab);
        reached.insert(coach()->focusWidget());
    }
    for (QWidget* part : coach()->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(part); label && label->isVisible()) {
            if (label->focusPolicy() == Qt::NoFocus)
                continue; // a caption, said with its line
            if (label->objectName() != "Erwartet") {
                EXPECT_EQ(label->accessibleName(), label->text());
            }
            EXPECT_TRUE(reached.contains(label)) << label->text().toStdString();
        }
    }
    EXPECT_TRUE(reached.contains(choices()));
    EXPECT_TRUE(reached.contains(part<QWidget>("Wuerfelbild")));
    EXPECT_TRUE(reached.contains(part<QCheckBox>("Warnen")));

    roll("6");
    roll("6");
    const QStringList last = entries();
    ASSERT_EQ(last.size(), kCategoryCount) << "no roll left: every open category";
    EXPECT_EQ(last.front(), "Kubiq");
}

TEST_F(CoachWindowTest, CountsWhatEachDecisionCost) {
    pressF2(&window);
    // The figure of a line: "Letzter Zug: −2,4 Punkte", "Verlust in diesem Spiel: −7,9".
    const auto shown = [this](const char* name) {
        const QStringList words = line(name).split(' ');
        const QString figure = words.last() == "Punkte" ? words.at(words.size() - 2) : words.last();
        return QString(figure).replace(QChar(0x2212), '-').replace(',', '.').toDouble();
    };
    double sum = 0.0;
    roll("55555");                 // the first roll of a turn is no decision
    click(categoryButton(Chance)); // 25 points where Kubiq scores 50
    EXPECT_LT(shown("LetzterZug"), -10.0) << line("LetzterZug").toStdString();
    sum += shown("LetzterZug");

    roll("12346");
    roll("1"); // a small straight rolled away
    EXPECT_LT(shown("LetzterZug"), 0.0);
    sum += shown("LetzterZug");
    roll("1");
    sum += shown("LetzterZug");
    // After the third roll the first row of the coach is the best there is.
    const QString best = entries().front();
    for (int c = 0; c < kCategoryCount; ++c) {
        if (QString::fromUtf8(spokenRow(c)) == best)
            click(categoryButton(c));
    }
    EXPECT_EQ(line("LetzterZug"), "Letzter Zug: 0,0 Punkte");
    EXPECT_NEAR(shown("Verlust"), sum, 0.3) << "the sum of the game's decisions";
}

TEST_F(CoachWindowTest, WeighsTheHeldDiceAtEachClickAndRanksTheHolds) {
    pressF2(&window);
    roll("44123");
    Position board = firstRoll("44123");
    for (int die : {-1, 0, 1, 0}) { // none held, then 4, 4 4, and 4 again
        if (die >= 0) {
            click(holdButton(die));
            board.held[die] = !board.held[die];
        }
        SCOPED_TRACE(board.heldFaces().size());
        // The table's holds: the ranking's best eight and the dice held now, each as ranked.
        const std::vector<RankedHold> ranking = table.rankHolds(board, kTableHolds);
        const QStringList shown = entries();
        const QStringList totals = column(ChoiceTableModel::Total);
        const QStringList ranks = column(ChoiceTableModel::Rank);
        ASSERT_EQ(shown.size(), static_cast<qsizetype>(ranking.size()) + 1) << "and an entry";
        int players = 0;
        for (const RankedHold& ranked : ranking) {
            const qsizetype row = shown.indexOf(choiceText({ranked.hold.faces, -1}));
            ASSERT_GE(row, 0) << choiceText({ranked.hold.faces, -1}).toStdString();
            EXPECT_EQ(totals[row], coachNumber(ranked.hold.expectedTotal));
            const bool held = ranked.hold.faces == board.heldFaces();
            EXPECT_EQ(ranks[row].startsWith("▸"), held) << "the player's row marked";
            players += held;
            if (!held)
                continue;
            // The details show the player's row first, with why the best is better.
            EXPECT_TRUE(line("DetailsWahl").endsWith(", deine Wahl"));
            const std::optional<Explanation> why = table.explain(board, {board.heldFaces(), -1});
            ASSERT_TRUE(why);
            EXPECT_EQ(line("DetailsWarum"),
                      why->weighing.cost() > kTie ? whyText(*why) : QString());
            EXPECT_TRUE(line("DetailsRundenende").contains(allEndingsLine(ranked.outlook)));
        }
        EXPECT_EQ(players, 1);
    }
    EXPECT_FALSE(line("DetailsWarum").isEmpty()) << "holding a single 4 costs";
    EXPECT_TRUE(line("DetailsWahl").contains(". 4 halten: erwartete Endsumme "))
        << line("DetailsWahl").toStdString();
    click(holdButton(1));
    EXPECT_TRUE(line("DetailsWahl").contains(". alle neu würfeln: "))
        << line("DetailsWahl").toStdString();
}

TEST_F(CoachWindowTest, NoHiddenTableKeepsTheRowsOfAnotherBoard) {
    pressF2(&window);
    turn("66612", Chance); // the table had rows
    roll("66");
    roll("66");
    click(categoryButton(Sechser)); // a turn's start: no dice, no table of choices
    EXPECT_FALSE(choices()->isVisibleTo(coach()));
    EXPECT_EQ(choices()->model()->rowCount(), 0);
    EXPECT_FALSE(part<QWidget>("Wuerfelbild")->isVisibleTo(coach()));
    EXPECT_EQ(line("DetailsWahl"), "");
}

// A Kubiq entered anywhere but as Kubiq costs; with the warning on, the player is asked first,
// exactly when an entry costs 2 points or more, and "Nein" leaves the game as it was.
TEST_F(CoachWindowTest, WarnsBeforeACostlyEntryOnlyWhenAskedTo) {
    pressF2(&window);
    roll("55555");
    auto* warn = part<QCheckBox>("Warnen");
    EXPECT_EQ(warn->text(), "Vor teuren Fehlern warnen");
    EXPECT_FALSE(warn->isChecked()) << "off at start";
    warn->setChecked(true);
    const Position board = firstRoll("55555");
    messageBox.answer = false;
    int costly = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        const Weighing weighing = *table.weigh({Move::Kind::Enter, board, c});
        if (weighing.cost() < 2.0)
            continue;
        SCOPED_TRACE(c);
        ++costly;
        const QString loss = line("Verlust");
        click(categoryButton(c));
        ASSERT_EQ(messageBox.shown().size(), static_cast<std::size_t>(costly));
        const std::optional<Explanation> why = table.explain(board, {{}, c});
        ASSERT_TRUE(why);
        EXPECT_EQ(messageBox.shown().back().text, warningText(*why).toStdString());
        EXPECT_NE(messageBox.shown().back().text.find(whyText(*why).toStdString()),
                  std::string::npos)
            << "with the reason";
        EXPECT_EQ(faces(), "55555") << "Nein changes nothing";
        EXPECT_EQ(window.Versuch(), 2);
        EXPECT_TRUE(categoryButton(c)->isEnabled());
        EXPECT_EQ(cell(c)->text(), "");
        EXPECT_EQ(line("Verlust"), loss);
        EXPECT_EQ(beeper.beeps(), 0);
    }
    EXPECT_GE(costly, 10);
    messageBox.answer = true;
    click(categoryButton(Chance));
    EXPECT_EQ(cell(Chance)->text(), "25") << "Ja enters";

    Position second = board;
    second.open &= ~(1u << Chance);
    second.lowerSum = 25;
    ASSERT_LT(table.cost({Move::Kind::Enter, second, Kubiq}), 2.0);
    turn("55555", Kubiq);
    EXPECT_EQ(messageBox.shown().size(), static_cast<std::size_t>(costly + 1));
    EXPECT_EQ(cell(Kubiq)->text(), "50") << "the best entry asks nothing";
    warn->setChecked(false);
    Position third = second;
    third.open &= ~(1u << Kubiq);
    third.lowerSum = 75;
    ASSERT_GE(table.cost({Move::Kind::Enter, third, Sechser}), 2.0);
    turn("55555", Sechser);
    EXPECT_EQ(messageBox.shown().size(), static_cast<std::size_t>(costly + 1))
        << "off: the game as designed";
    EXPECT_EQ(cell(Sechser)->text(), "0");
}

TEST_F(CoachWindowTest, ReviewsEveryGameOfTheRunIntoExpectationLuckAndLoss) {
    pressF2(&window);
    QString total;
    // What the coach shows while the game-over box is open, before the next game begins.
    QStringList atBox;
    QStringList stepsAtBox;
    messageBox.onShow = [&] {
        total = cell(SumCell::Total)->text();
        atBox = QStringList{line("LetzterZug"), line("Verlust"), part<QLabel>("Bilanz")->text()};
        stepsAtBox = reviewRows();
    };
    for (int c = 0; c < kCategoryCount; ++c) {
        roll("12345");
        if (c == 5) {
            roll("6"); // a roll decided on, and a roll of its own
            const QString lossFigure = line("Verlust").section(' ', -1);
            const QString balance = part<QLabel>("Bilanz")->text();
            EXPECT_TRUE(balance.endsWith(QString(lossFigure).remove(QChar(0x2212)) + " Verlust"))
                << "the review's loss is the loss shown live: " << balance.toStdString();
        }
        click(categoryButton(c));
    }
    ASSERT_EQ(messageBox.shown().size(), 1u);
    const QString lastGame = line("LetztesSpiel");
    EXPECT_TRUE(lastGame.startsWith("Letztes Spiel: Endsumme " + total + " = 252,1 erwartet "))
        << lastGame.toStdString();
    // While the box is open, the coach shows the game just finished, not the next one.
    ASSERT_EQ(atBox.size(), 3);
    ASSERT_EQ(stepsAtBox.size(), 13 + 14 + 1);
    ASSERT_TRUE(stepsAtBox.back().contains("kostet ")) << "rolling again was better";
    EXPECT_EQ(atBox[0], "Letzter Zug: " + QString(QChar(0x2212)) +
                            stepsAtBox.back().section("kostet ", 1).section(' ', 0, 0) + " Punkte")
        << "the finished game's last entry";
    EXPECT_EQ(atBox[1],
              "Verlust in diesem Spiel: " + QString(QChar(0x2212)) + lastGame.section(' ', -2, -2))
        << "the finished game's loss: " << lastGame.toStdString();
    EXPECT_EQ("Letztes Spiel: " + atBox[2], lastGame) << "the finished game's review";
    // Once the box is closed, the next game's lines start.
    EXPECT_EQ(line("LetzterZug"), "Letzter Zug: noch keiner") << "a new game has no last move";
    EXPECT_EQ(line("Verlust"), "Verlust in diesem Spiel: 0,0");
    const QString fresh = part<QLabel>("Bilanz")->text();
    EXPECT_TRUE(fresh.endsWith(QString::fromUtf8("\u2212 0,0 Verlust")))
        << "a loss is subtracted even when it is nothing yet: " << fresh.toStdString();
    EXPECT_EQ(reviewRows(), QStringList());

    auto* games = part<QComboBox>("Spielauswahl");
    ASSERT_EQ(games->count(), 2);
    EXPECT_EQ(games->itemText(1), "1. Spiel: " + total + " Punkte");
    games->setCurrentIndex(1);
    EXPECT_EQ("Letztes Spiel: " + part<QLabel>("Bilanz")->text(), line("LetztesSpiel"));
    const QStringList steps = reviewRows();
    EXPECT_EQ(steps.size(), 13 + 14 + 1) << "13 entries, 14 rolls, one hold";
    EXPECT_TRUE(steps.front().startsWith("Runde 1, Wurf 1: 1 2 3 4 5, Glück "))
        << steps.front().toStdString();
    // Below the table, the selected costly decision's reason, for the same cost, with the bonus
    // chances it left.
    part<QTabWidget>("Ansichten")->setCurrentIndex(1);
    auto* table = part<QTableView>("Spielverlauf");
    int costly = 0;
    for (int i = 0; i < steps.size(); ++i) {
        table->setCurrentIndex(table->model()->index(i, 0));
        const auto& bars = part<ChanceMarks>("BegruendungMarken")->bars();
        if (!steps[i].contains(", kostet ")) {
            EXPECT_EQ(line("Begruendung"), "") << steps[i].toStdString();
            EXPECT_TRUE(bars.isEmpty());
            continue;
        }
        ++costly;
        SCOPED_TRACE(steps[i].toStdString());
        const QString cost = steps[i].section(", kostet ", 1).section(' ', 0, 0);
        EXPECT_TRUE(line("Begruendung").contains(" ist " + cost + " besser: in dieser Runde "));
        EXPECT_TRUE(line("Begruendung").contains(", im Rest des Spiels "));
        EXPECT_EQ(bars.size(), 2);
    }
    EXPECT_GE(costly, 5);
    auto* chart = part<QWidget>("Verlaufskurve");
    EXPECT_TRUE(chart->accessibleDescription().contains(steps.back()));
    // Lucky rolls are drawn green, unlucky ones red.
    const QImage drawn = chart->grab().toImage();
    int green = 0;
    int red = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor c = drawn.pixelColor(x, y);
            green += c.green() > c.red() + 80 && c.green() > c.blue() + 80;
            red += c.red() > c.green() + 120 && c.red() > c.blue() + 120;
        }
    }
    EXPECT_GT(green, 0);
    EXPECT_GT(red, 0);
    EXPECT_TRUE(part<QLabel>("Mittel")->text().startsWith("Mittel über 1 Spiel: " + total + ",0"));
    EXPECT_TRUE(part<QLabel>("BesteWahl")->text().startsWith("Beste Wahl bei "));
    // The run's list counts the game's marks as the review's rows carry them, in words and as
    // badges drawn in their colours.
    SlipCounts counts{};
    for (const QString& step : steps)
        for (Slip slip : {Slip::Inaccuracy, Slip::Mistake, Slip::Blunder})
            counts[static_cast<std::size_t>(slip)] += step.endsWith(" – " + slipWord(slip));
    EXPECT_GE(counts[static_cast<std::size_t>(Slip::Blunder)], 1);
    part<QTabWidget>("Ansichten")->setCurrentIndex(2);
    auto* run = part<QListWidget>("Spieleliste");
    EXPECT_EQ(run->item(0)->data(Qt::AccessibleTextRole).toString(),
              run->item(0)->text() + ", " + slipCountsText(counts));
    const QImage list = run->viewport()->grab().toImage();
    const QRect row = run->visualItemRect(run->item(0));
    for (Slip slip : {Slip::Inaccuracy, Slip::Mistake, Slip::Blunder}) {
        const QColor colour = slipColour(slip, run->palette().color(QPalette::Base));
        int pixels = 0;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                pixels += list.pixelColor(x, y) == colour;
        EXPECT_GE(pixels, 10) << slipWord(slip).toStdString();
    }
}

// A game of 1 2 3 4 5 entered in sheet order has costly entries to practise; the exercises only
// read the game.
TEST_F(CoachWindowTest, SetsTheCostliestBoardsAgainWithoutTouchingTheGame) {
    pressF2(&window);
    for (int c = 0; c < kCategoryCount; ++c)
        turn("12345", c);
    roll("66612");
    click(holdButton(0));
    const auto game = [this] {
        QStringList shown{QString::fromStdString(faces()), QString::number(window.Versuch())};
        for (const char* name : {"Erwartet", "Verlust", "LetztesSpiel", "DetailsWahl"})
            shown << part<QLabel>(name)->text();
        for (int n = 0; n < kCategoryCount; ++n)
            shown << cell(n)->text() << tip(n)->text();
        return shown.join('|').toStdString();
    };
    const std::string before = game();

    part<QTabWidget>("Ansichten")->setCurrentIndex(3);
    QStringList exercises = rows("Aufgabenliste");
    ASSERT_GE(exercises.size(), 3);
    ASSERT_LE(exercises.size(), 10) << "ten a game at most";
    const auto costOf = [](const QString& row) {
        return row.section(' ', -2, -2).replace(',', '.').toDouble();
    };
    for (int i = 1; i < exercises.size(); ++i)
        EXPECT_GE(costOf(exercises[i - 1]), costOf(exercises[i])) << "worst first";
    EXPECT_GE(costOf(exercises.back()), 1.0);
    EXPECT_EQ(part<QLabel>("Uebersicht")->text(), practiceSummary(0, exercises.size()));

    // The first exercise, on show at once, answered by rolling all five again, then the second
    // with its best.
    EXPECT_TRUE(part<QLabel>("Aufgabenbrett")->text().startsWith("Aufgabe: Spiel 1, Runde "));
    click(part<QPushButton>("UebenWuerfeln"));
    const QString answer = part<QLabel>("Antwort")->text();
    EXPECT_TRUE(answer == "Richtig: beste Wahl" ||
                answer.startsWith("Nicht die beste Wahl: kostet "))
        << answer.toStdString();

    click(part<QPushButton>("NaechsteAufgabe"));
    Position board = firstRoll("12345");
    board.open = 0;
    for (int c = 0; c < kCategoryCount; ++c)
        board.open |= part<QPushButton>(indexed("UebenKategorie", c).toLatin1())->isEnabled() << c;
    const QStringList sums = part<QLabel>("UebenSummen")->text().split(' ');
    board.upperSum = sums.at(2).chopped(1).toInt();
    board.lowerSum = sums.at(5).toInt();
    const std::optional<Weighing> rolled = table.weigh(board, {{}, -1});
    ASSERT_TRUE(rolled) << part<QLabel>("UebenSummen")->text().toStdString();
    const Choice best = rolled->best;
    if (best.enters()) {
        click(part<QPushButton>(indexed("UebenKategorie", best.category).toLatin1()));
    } else {
        for (int i = 0; i < kDiceCount; ++i)
            if (std::count(best.hold.begin(), best.hold.end(), i + 1))
                click(part<QPushButton>(indexed("UebenWuerfel", i).toLatin1()));
        click(part<QPushButton>("UebenWuerfeln"));
    }
    EXPECT_EQ(part<QLabel>("Antwort")->text(), "Richtig: beste Wahl");
    // Settled, the exercise shows the choice made then beside the answer.
    EXPECT_TRUE(line("Damals").startsWith("Deine Wahl damals: "));
    EXPECT_TRUE(
        line("Damals").endsWith("sie kostete " + exercises[1].section(' ', -2, -2) + " Punkte"));
    EXPECT_EQ(rows("Aufgabenliste").size(), exercises.size() - 1) << "solved, it leaves the list";
    EXPECT_EQ(part<QLabel>("Uebersicht")->text(), practiceSummary(1, exercises.size() - 1));
    EXPECT_EQ(game(), before) << "the game in play is untouched";
    EXPECT_EQ(part<QComboBox>("Spielauswahl")->count(), 2) << "no game added or lost";
}

TEST_F(CoachWindowTest, AMissingTableIsSaidPlainlyAndTheGamePlaysOn) {
    const std::unique_ptr<Form1> other = windowWithoutTable();
    auto* shown = other->findChild<QWidget*>(QStringLiteral("CoachWindow"));
    ASSERT_NE(shown, nullptr);
    const auto* problem = shown->findChild<QLabel*>(QStringLiteral("Problem"));
    EXPECT_EQ(problem->text(), "Der Berater kann nicht helfen, weil seine Tabelle fehlt.");
    draws.scriptFaces("12345");
    QTest::mouseClick(other->findChild<QPushButton*>(QStringLiteral("CommandWuerfeln")),
                      Qt::LeftButton);
    EXPECT_EQ(other->Versuch(), 2);
}

// The actions that read the board on show (copy its code, analyse it, explain and warn before
// an entry), where there is no board to read: before the coach follows a game, on the finished
// sheet while the game-over box is open, and without a table. Nothing is copied that a code
// would refuse, no dialog opens on such a board, no question is asked, nothing reads an empty
// value (the sanitizers' build checks every optional read).
TEST_F(CoachWindowTest, ActionsOnTheBoardOnShowNeedABoardThatCanBeRead) {
    const auto tryEveryAction = [&](CoachWindow* shown, const Position& position) {
        shown->show();
        QGuiApplication::clipboard()->setText(QStringLiteral("unverändert"));
        shown->windowHandle()->requestActivate();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == shown; }));
        QTest::keyClick(shown, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "unverändert") << "Ctrl+C";

        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                shown->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(shown, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QAction* copy = menu->findChild<QAction*>(QStringLiteral("CodeKopieren"));
        ASSERT_NE(copy, nullptr);
        EXPECT_FALSE(copy->isEnabled());
        copy->trigger();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "unverändert") << "Code kopieren";
        menu->findChild<QAction*>(QStringLiteral("BrettAnalysieren"))->trigger();
        menu->close();
        if (const auto* dialog = shown->findChild<BoardDialog*>(QStringLiteral("BrettDialog"))) {
            EXPECT_FALSE(dialog->board()) << "a dialog without a board";
            EXPECT_FALSE(dialog->findChild<QLabel*>(QStringLiteral("Problem"))->isVisible());
        }

        if (auto* warn = shown->findChild<QCheckBox*>(QStringLiteral("Warnen")))
            warn->setChecked(true);
        const std::size_t asked = messageBox.shown().size();
        for (int c = 0; c < kCategoryCount; ++c)
            EXPECT_TRUE(shown->allowsEntry(position, c)) << c;
        EXPECT_EQ(messageBox.shown().size(), asked) << "no question";
        const auto* why = shown->findChild<QLabel*>(QStringLiteral("DetailsWarum"));
        EXPECT_TRUE(!why || !why->isVisible() || why->text().isEmpty()) << "no reason";
    };

    {
        SCOPED_TRACE("before it follows a game");
        CoachWindow unfollowed({KUBIQ_COACH_TABLE}, messageBox);
        tryEveryAction(&unfollowed, Position());
        EXPECT_NE(unfollowed.findChild<BoardDialog*>(QStringLiteral("BrettDialog")), nullptr)
            << "a board can still be set by hand";
    }
    {
        SCOPED_TRACE("the finished sheet");
        CoachWindow followed({KUBIQ_COACH_TABLE}, messageBox);
        Position finished;
        finished.open = 0;
        finished.upperSum = 63;
        finished.lowerSum = 150;
        followed.follow(finished, MoveLog()); // on show, but nothing is left to decide on it
        tryEveryAction(&followed, finished);
    }
    {
        SCOPED_TRACE("without its table");
        CoachWindow tableless({"/nonexistent/coach.table"}, messageBox);
        tableless.follow(firstRoll("66612"), MoveLog());
        tryEveryAction(&tableless, firstRoll("66612"));
        EXPECT_EQ(tableless.findChild<BoardDialog*>(QStringLiteral("BrettDialog")), nullptr);
    }
}

TEST(CoachPlace, BesideTheGameWhereTheScreenHasRoom) {
    const QRect screen(0, 0, 1280, 800);
    const struct {
        const char* what;
        QRect game;
        QPoint expected;
        int height = 500;
    } rows[] = {
        {"room on the right", QRect(100, 50, 500, 400), QPoint(608, 50)},
        {"no room on the right", QRect(700, 50, 500, 400), QPoint(292, 50)},
        {"room on neither side", QRect(200, 50, 900, 400), QPoint(0, 50)},
        {"too little room below the game's top", QRect(100, 400, 500, 400), QPoint(608, 300)},
        {"taller than the screen", QRect(100, 50, 500, 400), QPoint(608, 0), 900},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CoachWindow::besidePosition(row.game, QSize(400, row.height), screen),
                  row.expected)
            << row.what;
    // Its width: all of its table where there is room, else what the room allows, at least 360.
    const QRect game(0, 0, 513, 409);
    const struct {
        const char* what;
        int screenWidth;
        int width;
    } widths[] = {
        {"the game centred on a screen 1280 wide", 1280, 360},
        {"on a screen 1440 wide", 1440, 440},
        {"on a screen 1920 wide", 1920, CoachWindow::kDefaultWidth},
        {"on a screen 1024 wide", 1024, 360},
    };
    for (const auto& row : widths) {
        const QRect room(0, 0, row.screenWidth, 800);
        const QRect centred = game.translated((row.screenWidth - game.width()) / 2, 50);
        const int width = CoachWindow::widthBeside(centred, room);
        EXPECT_EQ(width, row.width) << row.what;
        if (width > 360) {
            EXPECT_LE(CoachWindow::besidePosition(centred, QSize(width + 16, 300), room).x() +
                          width + 16,
                      row.screenWidth)
                << row.what << ": beside the game, on the screen";
        }
    }
}

TEST(CoachNumber, OneDecimalWithAComma) {
    const std::pair<double, const char*> rows[] = {{241.66, "241,7"},
                                                   {0.0, "0,0"},
                                                   {-2.44, "\u22122,4"},
                                                   {-0.04, "0,0"},
                                                   {-0.05, "\u22120,1"}};
    for (const auto& [value, text] : rows)
        EXPECT_EQ(coachNumber(value), QString::fromUtf8(text)) << value;
}

} // namespace
} // namespace kubiq::test
