// "Üben" driven as a player drives it: a miss, a retry from the board as it started, a hint, the
// best answer; the solution shown and its coming back with a new game's list; "Nächste
// Aufgabe".

#include "board_code.h"
#include "coach_fixture.h"
#include "coach_texts.h"
#include "exercise_mining.h"
#include "practice_view.h"

#include <QClipboard>
#include <QComboBox>
#include <QRegularExpression>
#include <QSet>
#include <QWindow>

namespace kubiq::test {
namespace {

class PracticeViewTest : public CoachWindowTest {
protected:
    // A game of 1 2 3 4 5 entered in the sheet's order, with the coach on "Üben".
    void SetUp() override {
        pressF2(&window);
        playGame("12345");
        showView(3);
        exercises = rows("Aufgabenliste");
        ASSERT_GE(exercises.size(), 3);
    }
    QPushButton* button(const char* name) const { return part<QPushButton>(name); }
    QPushButton* die(int i) const {
        return part<QPushButton>(indexed("UebenWuerfel", i).toLatin1());
    }
    QPushButton* category(int c) const {
        return part<QPushButton>(indexed("UebenKategorie", c).toLatin1());
    }
    // The exercise's board as the view shows it.
    Position shownBoard() const {
        Position board;
        board.open = 0;
        for (int i = 0; i < kDiceCount; ++i) {
            board.faces[i] = die(i)->text().toInt();
            board.held[i] = die(i)->accessibleName().endsWith(", gehalten");
        }
        for (int c = 0; c < kCategoryCount; ++c)
            board.open |= category(c)->text().endsWith(": offen") << c;
        board.rollsMade = kRollsPerTurn - line("UebenWuerfe").section(' ', -1).toInt();
        const QStringList sums = line("UebenSummen").split(' ');
        board.upperSum = sums.at(2).chopped(1).toInt();
        board.lowerSum = sums.at(5).toInt();
        return board;
    }
    // Holds the dice of the choice and rolls, or enters its category.
    void choose(const Choice& choice) const {
        if (choice.enters())
            return click(category(choice.category));
        std::vector<int> rest = choice.hold;
        for (int i = 0; i < kDiceCount; ++i)
            if (const auto face = std::find(rest.begin(), rest.end(), die(i)->text().toInt());
                face != rest.end()) {
                rest.erase(face);
                click(die(i));
            }
        click(button("UebenWuerfeln"));
    }
    // "Spiel 1, Runde 5, Wurf 1" of a row of the list, or of the board's title.
    static QList<int> place(const QString& text) {
        QList<int> numbers;
        for (const QRegularExpressionMatch& match :
             QRegularExpression(QStringLiteral("\\d+")).globalMatch(text))
            if (numbers.size() < 3)
                numbers << match.captured().toInt();
        return numbers;
    }

    QStringList exercises;
};

TEST_F(PracticeViewTest, AMissIsTriedAgainWithAHintAndThenSolved) {
    const Position start = shownBoard();
    ASSERT_EQ(start.rollsMade, 1);
    const Choice wrong{{start.faces[0]}, -1};
    const Weighing missed = *table.weigh(start, wrong);
    ASSERT_FALSE(missed.isBest());
    choose(wrong);
    const QString answer = line("Antwort");
    EXPECT_EQ(answer, missLine(*table.explain(start, wrong)));
    // Its cost, this turn's part and the rest's, which add up to what the choice lost.
    QList<double> figures;
    for (const QRegularExpressionMatch& figure :
         QRegularExpression(QStringLiteral("[+\u2212]?\\d+,\\d")).globalMatch(answer))
        figures << figure.captured().replace(QChar(0x2212), '-').replace(',', '.').toDouble();
    ASSERT_EQ(figures.size(), 3) << answer.toStdString();
    EXPECT_NEAR(figures[1] + figures[2], -figures[0], 1e-9) << answer.toStdString();
    EXPECT_FALSE(answer.contains(choiceText(missed.best))) << "the answer is not given away";
    EXPECT_TRUE(shownBoard().held[0]) << "the miss stays on show";
    EXPECT_FALSE(button("UebenWuerfeln")->isEnabled());
    EXPECT_EQ(line("Loesung"), "") << "no solution unasked";
    EXPECT_EQ(line("Warum"), "");

    // Tab reaches each help, a screen reader names it, and Space presses it.
    coach()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(coach()));
    EXPECT_EQ(coach()->focusWidget(), button("Nochmal")) << "a retry is one key away";
    QSet<QWidget*> reached;
    for (int i = 0; i < 60; ++i) {
        QTest::keyClick(coach()->focusWidget(), Qt::Key_Tab);
        reached.insert(coach()->focusWidget());
    }
    for (const auto& [name, spoken] :
         {std::pair{"Nochmal", "Nochmal"}, {"TippZeigen", "Tipp"}, {"LoesungZeigen", "Lösung"}}) {
        EXPECT_TRUE(reached.contains(button(name))) << name;
        EXPECT_EQ(button(name)->accessibleName(), QString::fromUtf8(spoken));
    }
    QTest::keyClick(button("Nochmal"), Qt::Key_Space);
    EXPECT_EQ(shownBoard(), start) << "dice, held dice and rolls left as the exercise started";
    EXPECT_EQ(line("Antwort"), "");
    EXPECT_TRUE(button("UebenWuerfeln")->isEnabled());
    EXPECT_EQ(rows("Aufgabenliste"), exercises) << "a miss stays in the list";

    const Choice& best = missed.best;
    QTest::keyClick(button("TippZeigen"), Qt::Key_Space);
    EXPECT_EQ(line("Tipp"), hintLine({best.enters(), static_cast<int>(best.hold.size()), {}}));
    EXPECT_EQ(line("TippAuswahl"), "") << "one step at a time";
    QTest::keyClick(button("TippZeigen"), Qt::Key_Space);
    const QString named = line("TippAuswahl");
    ASSERT_TRUE(named.startsWith("Die beste Wahl ist eine von diesen: ")) << named.toStdString();
    const QStringList choices = named.section(": ", 1).split(", ");
    EXPECT_EQ(choices.size(), 3);
    EXPECT_TRUE(choices.contains(choiceText(best))) << named.toStdString();
    EXPECT_FALSE(named.contains(QRegularExpression(QStringLiteral("\\d,\\d")))) << "no figures";
    EXPECT_FALSE(button("TippZeigen")->isVisible()) << "two steps only";
    EXPECT_EQ(shownBoard(), start) << "a hint moves no die";

    choose(best);
    EXPECT_EQ(line("Antwort"), "Richtig: beste Wahl");
    EXPECT_EQ(rows("Aufgabenliste"), exercises.mid(1)) << "solved after a miss, it leaves";
    EXPECT_EQ(line("Uebersicht"), practiceSummary(1, exercises.size() - 1));
    for (const char* help : {"Nochmal", "TippZeigen", "LoesungZeigen"})
        EXPECT_FALSE(button(help)->isVisible()) << help;
}

TEST_F(PracticeViewTest, AShownSolutionComesBackAfterTheNextGame) {
    const Position start = shownBoard();
    const Weighing missed = *table.weigh(start, {{start.faces[0]}, -1});
    ASSERT_FALSE(missed.isBest());
    choose({{start.faces[0]}, -1});
    click(button("LoesungZeigen"));
    EXPECT_EQ(line("Loesung"), solutionLine(missed));
    EXPECT_EQ(line("Warum"), whyText(*table.explain(start, {{start.faces[0]}, -1})));
    EXPECT_EQ(rows("Aufgabenliste"), exercises.mid(1));
    EXPECT_EQ(line("Uebersicht"), practiceSummary(0, exercises.size() - 1)) << "not solved";
    EXPECT_FALSE(button("Nochmal")->isVisible()) << "the exercise has ended";
    EXPECT_FALSE(button("UebenWuerfeln")->isEnabled());

    // A new game's exercises set a new list: no board of the old one stays on show, but the new
    // list's first, untouched.
    playGame("12345"); // the same decisions again: as many exercises again
    const QStringList now = rows("Aufgabenliste");
    EXPECT_EQ(now.size(), 2 * exercises.size());
    EXPECT_TRUE(now.contains(exercises.front())) << "the shown one is back";
    EXPECT_EQ(place(line("Aufgabenbrett")), place(now.front()));
    EXPECT_EQ(line("Antwort"), "");
    EXPECT_EQ(line("Loesung"), "");
    EXPECT_TRUE(button("UebenWuerfeln")->isEnabled());
}

// The list opens with its first exercise marked as chosen, and that exercise's board is on show
// at once: it was hidden until "Nächste Aufgabe" was pressed. The arrow keys choose another.
TEST_F(PracticeViewTest, TheMarkedExerciseIsOnShowAndNextGoesThroughTheListAndRoundAgain) {
    auto* list = part<QListWidget>("Aufgabenliste");
    ASSERT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(part<QWidget>("Aufgabe")->isVisible());
    EXPECT_EQ(place(line("Aufgabenbrett")), place(exercises[0]));
    for (int i = 1; i <= exercises.size(); ++i) {
        click(button("NaechsteAufgabe"));
        const int at = i % exercises.size();
        SCOPED_TRACE(at);
        EXPECT_EQ(place(line("Aufgabenbrett")), place(exercises[at]));
        EXPECT_EQ(list->currentRow(), at);
    }
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(place(line("Aufgabenbrett")), place(exercises[1]));
}

// "Aufgaben": an exercise of the bank answered right, with its figures and the run's counts,
// and one answered wrongly, with its cost and the reason at once; Ctrl+C copies its board's
// code; the game is untouched.
TEST_F(PracticeViewTest, AnExerciseOfTheBankIsAnsweredRightAndThenWrongly) {
    const std::string before = faces();
    part<QComboBox>("UebenQuelle")->setCurrentIndex(1);
    EXPECT_FALSE(part<QWidget>("Aufgabenliste")->isVisible());
    EXPECT_TRUE(line("Aufgabenbrett").startsWith("Aufgabe aus der Sammlung: Runde "));
    const Position first = shownBoard();
    EXPECT_EQ(line("UebenCode"),
              QStringLiteral("Code: %1").arg(QString::fromStdString(boardCode(first))));
    coach()->windowHandle()->requestActivate(); // the player switches to the coach
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == coach(); }));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(coach(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), boardCode(first));

    const std::vector<WeighedChoice> choices = weighedChoices(table, first);
    choose(choices[0].choice);
    EXPECT_TRUE(line("Antwort").startsWith(
        QStringLiteral("Richtig: %1 ist die beste Wahl, "
                       "erwartete Endsumme %2")
            .arg(choiceText(choices[0].choice), coachNumber(choices[0].total))))
        << line("Antwort").toStdString();
    EXPECT_TRUE(line("UebenZaehler").startsWith("Gelöst: 1, beim ersten Versuch: 1, Serie: 1"));
    EXPECT_EQ(coach()->focusWidget(), button("NaechsteAufgabe")) << "the next one a key away";
    QTest::keyClick(button("NaechsteAufgabe"), Qt::Key_Space);

    const Position second = shownBoard();
    EXPECT_NE(second, first);
    const std::vector<WeighedChoice> others = weighedChoices(table, second);
    choose(others[1].choice);
    const std::optional<Explanation> why = table.explain(second, others[1].choice);
    ASSERT_TRUE(why);
    EXPECT_EQ(line("Antwort"), missLine(*why));
    EXPECT_EQ(line("Warum"), whyText(*why)) << "the reason at once";
    EXPECT_TRUE(line("UebenZaehler").startsWith("Gelöst: 1, beim ersten Versuch: 1, Serie: 0"));
    for (const char* help : {"Nochmal", "TippZeigen", "LoesungZeigen"})
        EXPECT_TRUE(button(help)->isVisible()) << help;
    EXPECT_EQ(faces(), before) << "the game in play is untouched";
}

// Without a bank, or with one that cannot be read, "Aufgaben" says so in one sentence and
// offers "Meine Fehler".
TEST(PracticeBank, AMissingOrDamagedBankIsSaidAndMyMistakesOffered) {
    for (const BankProblem problem :
         {BankProblem::Missing, BankProblem::Damaged, BankProblem::OtherVersion}) {
        SCOPED_TRACE(static_cast<int>(problem));
        PracticeView view;
        view.show();
        view.setBank(problem);
        view.findChild<QComboBox*>(QStringLiteral("UebenQuelle"))->setCurrentIndex(1);
        const auto* said = view.findChild<QLabel*>(QStringLiteral("UebenZaehler"));
        EXPECT_TRUE(said->isVisible());
        EXPECT_EQ(said->text(), bankProblemLine(problem));
        auto* mine = view.findChild<QPushButton*>(QStringLiteral("ZuMeinenFehlern"));
        ASSERT_TRUE(mine->isVisible());
        EXPECT_FALSE(view.boardOnShow()) << "no board to copy";
        QTest::mouseClick(mine, Qt::LeftButton);
        EXPECT_EQ(view.findChild<QComboBox*>(QStringLiteral("UebenQuelle"))->currentIndex(), 0);
        EXPECT_FALSE(said->isVisible());
    }
}

} // namespace
} // namespace kubiq::test
