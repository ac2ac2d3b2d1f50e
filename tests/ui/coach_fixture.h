#pragma once

#include "board_page.h"
#include "choice_table_model.h"
#include "coach.h"
#include "window_fixture.h"

#include <QAbstractItemModel>
#include <QListWidget>
#include <QTabWidget>
#include <QTableView>

#include <memory>
#include <string_view>
#include <variant>

namespace kubiq::test {

// The real window with its coach, which reads the table the build computed.
class CoachWindowTest : public WindowTest {
protected:
    QWidget* coach() const { return window.findChild<QWidget*>(QStringLiteral("CoachWindow")); }
    QString line(const char* name) const {
        const auto* label = coach()->findChild<QLabel*>(QLatin1String(name));
        return label && label->isVisible() ? label->text() : QString();
    }
    // The table of choices on the "Rat" page, and its rows as shown, one column of them.
    QTableView* choices() const { return part<QTableView>("Wahltabelle"); }
    QStringList column(int column) const {
        QStringList rows;
        const QTableView* view = choices();
        for (int i = 0; view && view->isVisible() && i < view->model()->rowCount(); ++i)
            rows << view->model()->index(i, column).data().toString();
        return rows;
    }
    QStringList entries() const { return column(ChoiceTableModel::Choice); }
    // The board page, which holds the analysis it shows.
    BoardPage* boardPage() const { return static_cast<BoardPage*>(part<QWidget>("Brett")); }
    void pressF2(QWidget* where) { QTest::keyClick(where, Qt::Key_F2); }
    template <typename T> T* part(const char* name) const {
        T* found = coach()->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QStringList rows(const char* list) const {
        QStringList shown;
        const auto* found = part<QListWidget>(list);
        for (int i = 0; found && i < found->count(); ++i)
            shown << found->item(i)->text();
        return shown;
    }
    // The review's steps, each row as the sentence a screen reader hears.
    QStringList reviewRows() const {
        QStringList sentences;
        const QAbstractItemModel* steps = part<QTableView>("Spielverlauf")->model();
        for (int row = 0; row < steps->rowCount(); ++row)
            sentences << steps->index(row, 0).data(Qt::AccessibleTextRole).toString();
        return sentences;
    }
    // The first turn's board with these dice, none held.
    static Position firstRoll(std::string_view faces) {
        Position board;
        board.rollsMade = 1;
        for (int i = 0; i < kDiceCount; ++i)
            board.faces[i] = faces[i] - '0';
        return board;
    }
    // A whole game: every turn's first roll shows `faces` and is entered in the sheet's order.
    void playGame(std::string_view faces) {
        for (int c = 0; c < kCategoryCount; ++c)
            turn(faces, c);
    }
    // Another window whose coach finds no table, with its coach open.
    std::unique_ptr<Form1> windowWithoutTable() {
        auto other = std::make_unique<Form1>(
            WindowServices{clock, draws, beeper, messageBox, pacer, {"/nonexistent/coach.table"}});
        other->show();
        other->toggleCoach();
        return other;
    }
    // The coach's view on this tab: 0 "Rat", 1 "Spielanalyse", 2 "Statistik", 3 "Üben".
    void showView(int tab) { part<QTabWidget>("Ansichten")->setCurrentIndex(tab); }

    std::variant<Coach, TableProblem> loaded = Coach::load(KUBIQ_COACH_TABLE);
    const Coach& table = std::get<Coach>(loaded);
};

} // namespace kubiq::test
