// "Spielanalyse" as the player reads it: the chart draws the game the review has chosen, with
// both its axes and the marks of its costly decisions; the table of steps shows the same marks,
// follows a click on the chart and jumps from mark to mark; no line of the coach's lists runs
// out of the narrow window.

#include "board_page.h"
#include "chance_marks.h"
#include "chart_view.h"
#include "coach_fixture.h"
#include "code_alphabet.h"
#include "review_model.h"
#include "slip_marks.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableView>

namespace kubiq::test {
namespace {

// Counts the times a widget is drawn.
class Paints final : public QObject {
public:
    explicit Paints(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

class AnalysisViewTest : public CoachWindowTest {
protected:
    // Two finished games that went differently, with the coach on "Spielanalyse".
    void SetUp() override {
        pressF2(&window);
        playGame("12345");
        playGame("66612");
        showView(1);
    }
    QWidget* chart() const { return part<QWidget>("Verlaufskurve"); }
    // Chooses game `number` of the review, 0 the one in play, and lets the window draw.
    void choose(int number) const {
        part<QComboBox>("Spielauswahl")->setCurrentIndex(number);
        QCoreApplication::processEvents();
    }
    QImage review(int number) const {
        choose(number);
        return chart()->grab().toImage();
    }
    QTableView* table() const { return part<QTableView>("Spielverlauf"); }
    const ReviewModel& model() const { return *dynamic_cast<ReviewModel*>(table()->model()); }
    // The pixels of `area` in `drawn` that have the colour of a slip's mark.
    static int marked(const QImage& drawn, const QRect& area, Slip slip, const QColor& ground) {
        const QColor colour = slipColour(slip, ground);
        int count = 0;
        for (int y = std::max(0, area.top()); y <= std::min(area.bottom(), drawn.height() - 1); ++y)
            for (int x = std::max(0, area.left()); x <= std::min(area.right(), drawn.width() - 1);
                 ++x)
                count += drawn.pixelColor(x, y) == colour;
        return count;
    }
    // The columns of the chart where step `index` is drawn.
    QRect columnsOf(std::size_t index) const {
        auto* drawn = dynamic_cast<ChartView*>(chart());
        int left = -1;
        int right = -1;
        for (int x = 0; x < drawn->width(); ++x)
            if (drawn->stepAt(x) == index) {
                left = left < 0 ? x : left;
                right = x;
            }
        return {QPoint(left, 0), QPoint(right, drawn->height() - 1)};
    }
    // The rows of the shown game that carry a mark.
    QList<int> markedRows() const {
        QList<int> rows;
        for (int row = 0; row < model().rowCount(); ++row)
            if (model().isMarked(row))
                rows << row;
        return rows;
    }
};

TEST_F(AnalysisViewTest, TheChartDrawsTheGameTheReviewHasChosen) {
    const QImage second = review(2);
    const Paints paints(chart());
    choose(1);
    EXPECT_GT(paints.count, 0) << "drawn again on screen, not only when asked for a picture";
    const QImage first = chart()->grab().toImage();
    EXPECT_NE(first, second) << "two games that went differently";
    EXPECT_EQ(review(2), second) << "back to the second game";
    EXPECT_NE(review(0), first) << "the game in play has just begun";
}

// Where the chart's frame lies, its figures are found beside it: the points left of its left
// edge, the turns below its bottom edge. The frame's edges are the only lines drawn solid across
// four fifths of the chart; the grid's lines are dotted.
TEST_F(AnalysisViewTest, TheChartHasBothAxesWithTheirFigures) {
    const QImage drawn = review(1);
    const QColor ground = chart()->palette().color(QPalette::Base);
    const auto inked = [&](int x, int y) {
        const QColor pixel = drawn.pixelColor(x, y);
        return std::abs(pixel.red() - ground.red()) + std::abs(pixel.green() - ground.green()) +
                   std::abs(pixel.blue() - ground.blue()) >
               60;
    };
    const int width = drawn.width();
    const int height = drawn.height();
    int left = -1;
    for (int x = 0; x < width && left < 0; ++x) {
        int ink = 0;
        for (int y = 0; y < height; ++y)
            ink += inked(x, y);
        if (ink * 5 >= height * 4)
            left = x;
    }
    int bottom = -1;
    for (int y = height - 1; y >= 0 && bottom < 0; --y) {
        int ink = 0;
        for (int x = 0; x < width; ++x)
            ink += inked(x, y);
        if (ink * 5 >= width * 4)
            bottom = y;
    }
    ASSERT_GT(left, 0) << "a vertical axis, with room for the points";
    ASSERT_GT(bottom, 0) << "a horizontal axis";
    ASSERT_LT(bottom, height - 1) << "with room for the turns";
    const auto anyInk = [&](QRect area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (inked(x, y))
                    return true;
        return false;
    };
    EXPECT_TRUE(anyInk(QRect(QPoint(0, 0), QPoint(left - 2, bottom)))) << "the points";
    EXPECT_TRUE(anyInk(QRect(QPoint(left, bottom + 2), QPoint(width - 1, height - 1))))
        << "the turns";
}

// Each costly decision's mark, in its slip's colour, is drawn on the chart where the decision
// left the expected TOTAL, and in the Loss cell of its row; an unmarked row's cell has none.
TEST_F(AnalysisViewTest, TheMarksAreDrawnOnTheChartAndInTheTable) {
    const QImage drawn = review(1);
    const QColor ground = table()->palette().color(QPalette::Base);
    const QList<int> rows = markedRows();
    ASSERT_GE(rows.size(), 3);
    QSet<int> slips;
    for (int row : rows) {
        const auto slip = static_cast<Slip>(
            model().index(row, ReviewModel::Loss).data(ReviewModel::kSlipRole).toInt());
        SCOPED_TRACE(model().index(row, 0).data(Qt::AccessibleTextRole).toString().toStdString());
        slips.insert(static_cast<int>(slip));
        // The decision leaves the TOTAL at the end of its step: its mark stands on that edge.
        const QRect around = columnsOf(static_cast<std::size_t>(row))
                                 .united(columnsOf(static_cast<std::size_t>(row) + 1));
        EXPECT_GE(marked(drawn, around, slip, chart()->palette().color(QPalette::Base)), 6)
            << "on the chart";

        const QModelIndex cell = model().index(row, ReviewModel::Loss);
        table()->scrollTo(cell);
        const QImage cells = table()->viewport()->grab().toImage();
        EXPECT_GE(marked(cells, table()->visualRect(cell), slip, ground), 10) << "in the table";
        const QModelIndex roll = model().index(row - 1, ReviewModel::Loss);
        for (Slip any : {Slip::Inaccuracy, Slip::Mistake, Slip::Blunder})
            EXPECT_EQ(marked(cells, table()->visualRect(roll), any, ground), 0)
                << "a roll has no mark";
    }
    EXPECT_GE(slips.size(), 2) << "marks of more than one kind";
}

// A click on the chart selects its step in the table, with the reason of a costly decision
// below; "nur Fehler" keeps only the marked decisions; Ctrl+Down and Ctrl+Up go from mark to mark.
TEST_F(AnalysisViewTest, TheChartChoosesTheStepAndKeysJumpFromMarkToMark) {
    review(1);
    const QList<int> rows = markedRows();
    ASSERT_GE(rows.size(), 3);
    const int first = rows[0];
    const QRect columns = columnsOf(static_cast<std::size_t>(first));
    QTest::mouseClick(chart(), Qt::LeftButton, {}, QPoint(columns.center().x(), 20));
    EXPECT_EQ(table()->currentIndex().row(), first);
    const QString sentence = model().index(first, 0).data(Qt::AccessibleTextRole).toString();
    const QString cost = sentence.section(", kostet ", 1).section(' ', 0, 0);
    EXPECT_TRUE(line("Begruendung").contains(" ist " + cost + " besser: in dieser Runde "))
        << line("Begruendung").toStdString();
    EXPECT_EQ(part<ChanceMarks>("BegruendungMarken")->bars().size(), 2) << "the bonus chances";
    // Its board, analysed, in the "Brett" pane: the one the decision was made on.
    const std::optional<BoardAnalysis>& board = part<BoardPage>("AnalyseBrett")->analysis();
    ASSERT_TRUE(board);
    EXPECT_EQ(board->board, model().step(first).board);
    EXPECT_EQ(board->board.faces, model().step(first).faces);
    EXPECT_FALSE(board->rows.empty());
    QTest::mouseClick(chart(), Qt::LeftButton, {},
                      QPoint(columnsOf(static_cast<std::size_t>(first) - 1).center().x(), 20));
    EXPECT_EQ(table()->currentIndex().row(), first - 1) << "its roll";
    EXPECT_EQ(line("Begruendung"), "") << "a roll has no reason";

    part<QCheckBox>("NurFehler")->click();
    int shown = 0;
    for (int row = 0; row < model().rowCount(); ++row)
        if (!table()->isRowHidden(row)) {
            ++shown;
            EXPECT_TRUE(model().isMarked(row)) << row;
        }
    EXPECT_EQ(shown, rows.size());
    EXPECT_EQ(table()->currentIndex().row(), first) << "the nearest mark, not a hidden row";

    coach()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(coach()));
    part<QCheckBox>("NurFehler")->click();
    table()->setFocus();
    QTest::keyClick(table(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(table()->currentIndex().row(), rows[1]);
    QTest::keyClick(table(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(table()->currentIndex().row(), rows[2]);
    QTest::keyClick(table(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(table()->currentIndex().row(), rows[1]);
    EXPECT_TRUE(table()->toolTip().contains("Strg+↓")) << "the keys are told";
}

// The table's rows keep to one line, and a costly decision's reason, longer than the window is
// wide, wraps below it; no row of the coach's lists runs out of the window.
TEST_F(AnalysisViewTest, LongLinesWrapWithinTheCoachsLists) {
    review(1);
    table()->setCurrentIndex(model().index(markedRows().value(0), 0));
    const auto* why = part<QLabel>("Begruendung");
    ASSERT_TRUE(why->isVisible());
    EXPECT_LE(why->geometry().right(), coach()->width());
    EXPECT_GT(why->height(), why->fontMetrics().height() * 3 / 2) << "the reason on two rows";
    for (int row = 0; row < model().rowCount(); ++row)
        EXPECT_LT(table()->rowHeight(row), table()->fontMetrics().height() * 2) << row;
    for (int tab = 0; tab < 4; ++tab) {
        showView(tab);
        QCoreApplication::processEvents();
        for (const auto* list : coach()->findChildren<QListWidget*>()) {
            if (!list->isVisible())
                continue;
            SCOPED_TRACE(list->objectName().toStdString());
            ASSERT_GT(list->count(), 0);
            for (int row = 0; row < list->count(); ++row) {
                const QRect rect = list->visualItemRect(list->item(row));
                EXPECT_LE(rect.right(), list->viewport()->width()) << row;
            }
        }
    }
}

// "Spiel kopieren" copies the code of the game chosen; "Spiel laden…" reads it back into a
// review of its own, marked as loaded and the same as the game's, and refuses a bad code with
// its reason, adding nothing; the game in the window is never touched.
TEST_F(AnalysisViewTest, AGameIsCopiedAsACodeAndLoadedBackBesideTheRunsGames) {
    roll("33351");
    choose(1);
    const QStringList played = reviewRows();
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(part<QPushButton>("SpielKopieren"), Qt::LeftButton);
    const QString code = QGuiApplication::clipboard()->text();
    ASSERT_TRUE(code.startsWith("G1-")) << code.toStdString();

    QTest::mouseClick(part<QPushButton>("SpielLaden"), Qt::LeftButton);
    auto* dialog = coach()->findChild<QDialog*>(QStringLiteral("SpielDialog"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal()) << "the game goes on beside it";
    auto* games = part<QComboBox>("Spielauswahl");
    const auto paste = [&](const QString& text) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Spielcode"));
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
        const auto* problem = dialog->findChild<QLabel*>(QStringLiteral("Problem"));
        return problem->isVisible() ? problem->text() : QString();
    };
    QString typo = code;
    typo[10] = typo[10] == 'A' ? 'B' : 'A';
    const struct {
        const char* name;
        QString code;
        const char* sentence;
    } refused[] = {
        {"a typo", typo,
         "Der Code enthält einen Tippfehler: sein Prüfzeichen passt nicht zu den anderen "
         "Zeichen."},
        {"another version", QString(code).replace(1, 1, '7'),
         "Dieser Code gehört zu einer anderen Version von KUBIQ; gelesen werden Spielcodes, die "
         "mit „G1-“ beginnen."},
        {"a board's code", "K1-_____S______WOOCOBCJ",
         "Das ist kein Code eines Spiels: ein Spielcode beginnt mit „G1-“."},
        {"a held die that changes", QString::fromStdString([] {
             std::string made = "G1-AAABAAB"; // 1 1 1 1 1, the first held, then 2 1 1 1 1
             return made + checkCharacter(made);
         }()),
         "In Runde 1 ändert sich der gehaltene Würfel 1 beim Würfeln."},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(paste(row.code), QString::fromUtf8(row.sentence));
        EXPECT_EQ(games->count(), 3) << "nothing added";
        EXPECT_TRUE(dialog->isVisible());
    }

    EXPECT_EQ(paste(QStringLiteral(" %1 ").arg(code)), "");
    EXPECT_FALSE(dialog->isVisible()) << "closed once read";
    ASSERT_EQ(games->count(), 4);
    EXPECT_EQ(games->currentIndex(), 3) << "the loaded game on show";
    EXPECT_EQ(games->currentText(), "Geladen 1: Spiel mit 100 Punkten");
    EXPECT_EQ(reviewRows(), played) << "its review the game's";
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(part<QPushButton>("SpielKopieren"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), code) << "its code as read";

    // A game finished later goes before the loaded one, which stays on show.
    EXPECT_EQ(faces(), "33351") << "the game in the window untouched";
    for (int c = 0; c < kCategoryCount; ++c)
        turn("12345", c);
    EXPECT_EQ(games->count(), 5);
    EXPECT_EQ(games->itemText(3), "3. Spiel: 100 Punkte");
    EXPECT_EQ(games->currentText(), "Geladen 1: Spiel mit 100 Punkten");
}

} // namespace
} // namespace kubiq::test
