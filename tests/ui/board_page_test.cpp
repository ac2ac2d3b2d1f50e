// The "Rat" page as the player reads it: a table of choices whose every cell says the figure
// the analysis holds, one sentence a row for a screen reader; the best row, the player's row,
// the held dice and the turn's bars seen in the drawn image; and all of it in view at the
// coach's size.

#include "board_analysis.h"
#include "board_details.h"
#include "board_page.h"
#include "choice_table_model.h"
#include "coach_fixture.h"
#include "coach_texts.h"
#include "coach_window.h"
#include "dice_view.h"

#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>

#include <algorithm>
#include <set>

namespace kubiq::test {
namespace {

const Coach& tableCoach() {
    static const std::variant<Coach, TableProblem> loaded = Coach::load(KUBIQ_COACH_TABLE);
    return std::get<Coach>(loaded);
}

// A board of the first turn: `faces` with the dice marked 'x' in `held` held, `rollsMade` made.
Position board(std::string_view faces, std::string_view held, int rollsMade) {
    Position position;
    position.rollsMade = rollsMade;
    for (int i = 0; i < kDiceCount; ++i) {
        position.faces[i] = faces[i] - '0';
        position.held[i] = held[i] == 'x';
    }
    return position;
}

const struct BoardRow {
    const char* name;
    Position board;
} kBoards[] = {
    {"a single 4 held of 4 4 1 2 3, which ranks low", board("44123", "x....", 1)},
    {"nothing held of a straight", board("12345", ".....", 1)},
    {"four sixes held, the best", board("66665", "xxxx.", 2)},
    {"after the last roll: every open category", board("66665", ".....", 3)},
    {"a full house held whole", board("33555", "xxxxx", 1)},
    {"1 and 2 held of 5 1 4 2 6, far below the eight best", board("51426", ".x.x.", 1)},
};

// Every choice of a board, weighed one by one: each distinct hold of the dice shown while rolls
// are left, and each open category.
std::vector<double> everyChoiceTotal(const Position& board) {
    std::vector<double> totals;
    if (board.rollsMade < kRollsPerTurn) {
        std::set<std::vector<int>> holds;
        for (int mask = 0; mask < 1 << kDiceCount; ++mask) {
            Position held = board;
            for (int i = 0; i < kDiceCount; ++i)
                held.held[i] = mask >> i & 1;
            if (holds.insert(held.heldFaces()).second)
                totals.push_back(tableCoach().weigh({Move::Kind::Roll, held})->chosenTotal);
        }
    }
    for (int c = 0; c < kCategoryCount; ++c)
        if (board.open >> c & 1)
            totals.push_back(tableCoach().weigh({Move::Kind::Enter, board, c})->chosenTotal);
    return totals;
}

// Every cell says its figure as the coach writes it; the row's sentence holds them all.
TEST(ChoiceTable, EveryCellSaysItsFigureAndEveryRowIsOneSentence) {
    for (const BoardRow& row : kBoards) {
        SCOPED_TRACE(row.name);
        const std::optional<BoardAnalysis> analysis = analyse(tableCoach(), row.board);
        ASSERT_TRUE(analysis);
        ChoiceTableModel model;
        model.showAnalysis(&*analysis);
        ASSERT_EQ(model.rowCount(), static_cast<int>(analysis->rows.size()));
        ASSERT_GT(model.rowCount(), 1);
        for (int r = 0; r < model.rowCount(); ++r) {
            SCOPED_TRACE(r);
            const ChoiceRow& choice = analysis->rows[static_cast<std::size_t>(r)];
            const bool players = analysis->playersRow == static_cast<std::size_t>(r);
            const auto cell = [&](int column, int role = Qt::DisplayRole) {
                return model.index(r, column).data(role).toString();
            };
            EXPECT_EQ(cell(ChoiceTableModel::Rank),
                      (players ? QStringLiteral("▸") : QString()) + QString::number(choice.rank));
            // The rank among all the board's choices, not the place in the table: as many
            // choices above it as are worth more, those of equal worth in the table's order.
            const std::vector<double> totals = everyChoiceTotal(row.board);
            const auto count = [&](auto worthMore) {
                return std::count_if(totals.begin(), totals.end(), worthMore);
            };
            EXPECT_GE(choice.rank - 1,
                      count([&](double t) { return t > choice.expectedTotal + 1e-9; }));
            EXPECT_LE(choice.rank - 1,
                      count([&](double t) { return t >= choice.expectedTotal - 1e-9; }) - 1);
            if (r > 0) {
                EXPECT_GT(choice.rank, analysis->rows[r - 1].rank) << "in the table's order";
            }
            EXPECT_EQ(cell(ChoiceTableModel::Choice), choiceText(choice.choice));
            EXPECT_EQ(cell(ChoiceTableModel::Total), coachNumber(choice.expectedTotal));
            EXPECT_EQ(cell(ChoiceTableModel::Loss),
                      r == 0 ? QStringLiteral("—") : coachNumber(-choice.loss));
            EXPECT_EQ(cell(ChoiceTableModel::ThisTurn), coachNumber(choice.outlook.thisTurn));
            EXPECT_EQ(cell(ChoiceTableModel::Upper), percentText(choice.outlook.bonus.upper));
            EXPECT_EQ(cell(ChoiceTableModel::Lower), percentText(choice.outlook.bonus.lower));
            EXPECT_TRUE(cell(ChoiceTableModel::Endings, Qt::ToolTipRole)
                            .endsWith(endingsText(choice.outlook)));
            EXPECT_EQ(model.index(r, 0).data(ChoiceTableModel::BestRole).toBool(), r == 0);
            EXPECT_EQ(model.index(r, 0).data(ChoiceTableModel::PlayersRole).toBool(), players);
            // One sentence, the same from every cell, with every figure of the row in it.
            const QString sentence = cell(0, Qt::AccessibleTextRole);
            EXPECT_FALSE(sentence.contains('\n'));
            for (int c = 1; c < ChoiceTableModel::ColumnCount; ++c) {
                EXPECT_EQ(cell(c, Qt::AccessibleTextRole), sentence);
                const QString shown =
                    c == ChoiceTableModel::Endings ? endingsText(choice.outlook) : cell(c);
                EXPECT_TRUE(sentence.contains(shown)) << sentence.toStdString();
            }
            EXPECT_EQ(sentence.contains("beste Wahl"), r == 0);
            EXPECT_EQ(sentence.contains("deine Wahl"), players);
            EXPECT_TRUE(sentence.startsWith(QStringLiteral("Rang %1").arg(choice.rank)));
            // The bar of the endings fills up to the whole turn.
            const ChanceBars bars = model.index(r, ChoiceTableModel::Endings)
                                        .data(ChoiceTableModel::BarsRole)
                                        .value<ChanceBars>();
            ASSERT_EQ(bars.size(), 1);
            double sum = 0.0;
            for (double part : bars[0].parts)
                sum += part;
            EXPECT_NEAR(sum, 1.0, 1e-9);
            EXPECT_LE(bars[0].parts.size(), 4);
        }
    }
    // The board a new player tried: 1 and 2 held is the 24th of the board's 45 choices, where
    // the table once gave its place among the rows shown, 9.
    const std::optional<BoardAnalysis> tried = analyse(tableCoach(), board("51426", ".x.x.", 1));
    ASSERT_TRUE(tried && tried->playersRow);
    EXPECT_EQ(tried->rows[*tried->playersRow].rank, 24);
    // The legend: every column's header explains itself, each in its own words.
    ChoiceTableModel model;
    QSet<QString> legend;
    for (int c = 0; c < ChoiceTableModel::ColumnCount; ++c) {
        const QString tip = model.headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
        EXPECT_GT(tip.size(), 20) << c;
        legend.insert(tip);
    }
    EXPECT_EQ(legend.size(), ChoiceTableModel::ColumnCount);
}

// Dice marked for a hold: of equal faces the held ones, then from the left.
TEST(DiceOfHold, MarksTheHeldDiceOfEqualFacesFirst) {
    const struct {
        const char* name;
        std::array<int, kDiceCount> faces;
        const char* held;
        std::vector<int> hold;
        const char* marked;
    } rows[] = {
        {"the held pair, not the first", {4, 1, 4, 4, 2}, "..xx.", {4, 4}, "..xx."},
        {"none held: from the left", {4, 1, 4, 4, 2}, ".....", {4, 4}, "x.x.."},
        {"nothing held, nothing marked", {6, 6, 6, 6, 6}, "xxxxx", {}, "....."},
        {"every die", {1, 2, 3, 4, 5}, ".....", {1, 2, 3, 4, 5}, "xxxxx"},
    };
    for (const auto& row : rows) {
        std::array<bool, kDiceCount> held{};
        std::array<bool, kDiceCount> wanted{};
        for (int i = 0; i < kDiceCount; ++i) {
            held[i] = row.held[i] == 'x';
            wanted[i] = row.marked[i] == 'x';
        }
        EXPECT_EQ(diceOfHold(row.faces, held, row.hold), wanted) << row.name;
    }
}

// The page in the coach beside the game, at the coach's own size beside it on a screen with
// room.
class BoardPageTest : public CoachWindowTest {
protected:
    void SetUp() override {
        pressF2(&window);
        coach()->resize(CoachWindow::kDefaultWidth, coach()->height());
        roll("44123");
        click(holdButton(0)); // a single 4: the player's row is not the best
        QCoreApplication::processEvents();
        ASSERT_TRUE(boardPage()->analysis());
    }
    DiceView* dice() const { return static_cast<DiceView*>(part<QWidget>("Wuerfelbild")); }
    const BoardAnalysis& analysis() const { return *boardPage()->analysis(); }
    std::size_t playersRow() const { return *analysis().playersRow; }
};

TEST_F(BoardPageTest, HeadlineDiceEightRowsAndDetailsAreInViewAtTheCoachsSize) {
    const QRect shown = coach()->rect();
    EXPECT_EQ(coach()->width(), CoachWindow::kDefaultWidth);
    EXPECT_LE(coach()->height(), 720) << "fits a screen 768 pixels high";
    for (const char* name : {"Kopfzeile", "Wuerfelbild", "Wahltabelle", "Details", "Warnen"}) {
        QWidget* widget = part<QWidget>(name);
        ASSERT_TRUE(widget->isVisible()) << name;
        const QRect where(widget->mapTo(coach(), QPoint(0, 0)), widget->size());
        EXPECT_TRUE(shown.contains(where)) << name;
        EXPECT_GE(widget->height(), widget->minimumSizeHint().height()) << name;
    }
    // The details pane is not squeezed: every line of it whole.
    for (const char* name : {"DetailsWahl", "DetailsBonus", "DetailsWarum"}) {
        const auto* line = part<QLabel>(name);
        ASSERT_TRUE(line->isVisible()) << name;
        EXPECT_GE(line->height(), line->heightForWidth(line->width())) << name;
    }
    EXPECT_FALSE(part<QScrollArea>("DetailsBereich")->verticalScrollBar()->isVisible())
        << "the details whole";
    const auto* endings = part<QWidget>("DetailsRundenendeBereich");
    EXPECT_GE(endings->height(), 4 * endings->fontMetrics().lineSpacing()) << "four lines";
    // The table's first eight rows whole, nothing wrapped, no column cut off.
    QTableView* view = choices();
    ASSERT_GE(view->model()->rowCount(), 8);
    EXPECT_LE(view->rowViewportPosition(7) + view->rowHeight(7), view->viewport()->height());
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible()) << "every column in view";
    EXPECT_LT(view->rowHeight(0), 2 * view->fontMetrics().height()) << "one line a row";
    const int right = view->columnViewportPosition(ChoiceTableModel::Endings) +
                      view->columnWidth(ChoiceTableModel::Endings);
    EXPECT_LE(right, view->viewport()->width());
}

// What the player must see, in the drawn image: the best row tinted, the player's row framed,
// the held dice framed, the best hold's dice marked, the turn's bars within their rows.
TEST_F(BoardPageTest, TheDrawnPageMarksTheBestRowThePlayersRowAndTheHeldDice) {
    QTableView* view = choices();
    view->clearFocus();
    boardPage()->selectRow(2); // neither the best nor the player's
    ASSERT_NE(playersRow(), 2u);
    ASSERT_NE(playersRow(), 0u);
    const QImage table = view->viewport()->grab().toImage();
    const qreal ratio = table.devicePixelRatio();
    const auto rowBand = [&](int row) {
        return QRect(0, view->rowViewportPosition(row), view->viewport()->width(),
                     view->rowHeight(row));
    };
    const QColor base = view->palette().color(QPalette::Base);
    const QColor ink = view->palette().color(QPalette::Text);
    const QColor highlight = view->palette().color(QPalette::Highlight);
    const auto near = [](const QColor& a, const QColor& b, int within) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue()) <=
               within;
    };
    // The share of a band's pixels that are of the plain ground.
    const auto plainShare = [&](const QRect& band) {
        int plain = 0;
        int all = 0;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x, ++all)
                plain += near(table.pixelColor(int(x * ratio), int(y * ratio)), base, 6);
        return double(plain) / all;
    };
    const int other = playersRow() == 3 ? 4 : 3;
    EXPECT_LT(plainShare(rowBand(0)), 0.1) << "the best row tinted";
    EXPECT_GT(plainShare(rowBand(other)), 0.5) << "another row plain";
    // The player's row: a line of ink along its top and its bottom, across the whole row.
    const QRect players = rowBand(static_cast<int>(playersRow()));
    for (int y : {players.top(), players.bottom()}) {
        int inked = 0;
        for (int x = 0; x < players.width(); ++x)
            inked += near(table.pixelColor(int(x * ratio), int(y * ratio)), ink, 60);
        EXPECT_GT(inked, players.width() * 9 / 10) << "framed at y " << y;
    }
    // The turn's bars: highlight drawn in every row's endings cell, and none on a row's edge.
    const int left = view->columnViewportPosition(ChoiceTableModel::Endings);
    const int width = view->columnWidth(ChoiceTableModel::Endings);
    for (int row = 0; row < 8; ++row) {
        SCOPED_TRACE(row);
        const QRect band = rowBand(row);
        int barPixels = 0;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = left; x < left + width; ++x) {
                const bool bar =
                    near(table.pixelColor(int(x * ratio), int(y * ratio)), highlight, 40);
                barPixels += bar;
                if (bar && row != 2) { // the selected row is drawn in the highlight whole
                    EXPECT_TRUE(y > band.top() + 1 && y < band.bottom() - 1) << "y " << y;
                }
            }
        if (row != 2) {
            EXPECT_GT(barPixels, 10) << "a bar drawn";
        }
    }

    // The dice: the held 4 framed in ink, a free die not; the best hold's dice barred.
    const QImage drawn = dice()->grab().toImage();
    const qreal diceRatio = drawn.devicePixelRatio();
    const QColor windowInk = dice()->palette().color(QPalette::WindowText);
    const auto ringInked = [&](int die) {
        const QRect ring = dice()->dieRect(die).adjusted(-5, -5, 5, 5);
        int inked = 0;
        for (int x = ring.left(); x <= ring.right(); ++x)
            inked += near(drawn.pixelColor(int(x * diceRatio), int(ring.top() * diceRatio)),
                          windowInk, 60);
        return inked * 10 >= ring.width() * 9;
    };
    EXPECT_TRUE(dice()->held()[0]);
    EXPECT_TRUE(ringInked(0)) << "the held die framed";
    for (int die = 1; die < kDiceCount; ++die)
        EXPECT_FALSE(ringInked(die)) << "a free die unframed: " << die;
    const std::vector<int>& best = analysis().rows.front().choice.hold;
    ASSERT_FALSE(best.empty()) << "holding beats entering on 4 4 1 2 3";
    int barred = 0;
    for (int die = 0; die < kDiceCount; ++die) {
        const QRect square = dice()->dieRect(die);
        const QPoint below(square.center().x(), square.bottom() + 10);
        const bool bar =
            near(drawn.pixelColor(int(below.x() * diceRatio), int(below.y() * diceRatio)),
                 dice()->palette().color(QPalette::Highlight), 40);
        EXPECT_EQ(bar, dice()->best()[die]) << die;
        barred += bar;
    }
    EXPECT_EQ(barred, static_cast<int>(best.size()));
}

// The arrows walk the table, and the details and the dice follow.
TEST_F(BoardPageTest, TheKeysWalkTheRowsAndTheDetailsFollow) {
    EXPECT_EQ(boardPage()->selectedRow(), analysis().playersRow) << "the player's row first";
    EXPECT_TRUE(line("DetailsWahl").endsWith(", deine Wahl")) << line("DetailsWahl").toStdString();
    EXPECT_EQ(line("DetailsWarum"), whyText(analysis().explain(playersRow())));
    coach()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(coach()));
    choices()->setFocus();
    QTest::keyClick(choices(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(boardPage()->selectedRow(), 0u);
    EXPECT_EQ(line("DetailsWarum"), "") << "the best has no reason to give";
    for (std::size_t row = 1; row < analysis().rows.size(); ++row) {
        QTest::keyClick(choices(), Qt::Key_Down);
        ASSERT_EQ(boardPage()->selectedRow(), row);
        const ChoiceRow& choice = analysis().rows[row];
        EXPECT_TRUE(
            line("DetailsWahl")
                .startsWith(
                    QStringLiteral("%1. %2: ").arg(choice.rank).arg(choiceText(choice.choice))));
        EXPECT_EQ(line("DetailsWarum"), whyText(analysis().explain(row)));
        EXPECT_TRUE(line("DetailsRundenende").contains(allEndingsLine(choice.outlook)));
        if (!choice.choice.enters()) {
            EXPECT_EQ(dice()->chosen(), diceOfHold(analysis().board.faces, analysis().board.held,
                                                   choice.choice.hold));
        }
    }
}

} // namespace
} // namespace kubiq::test
