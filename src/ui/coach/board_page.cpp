#include "board_page.h"

#include "board_details.h"
#include "board_headline.h"
#include "choice_delegate.h"
#include "choice_table_model.h"
#include "coach_texts.h"
#include "dice_view.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

namespace kubiq {

namespace {

void keepRoom(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

BoardPage::BoardPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Brett"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_headline = new BoardHeadline(this);
    layout->addWidget(m_headline);
    m_dice = new DiceView(this);
    keepRoom(m_dice);
    layout->addWidget(m_dice);

    m_model = new ChoiceTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("Wahltabelle"));
    m_table->setAccessibleName(QStringLiteral("Wahlmöglichkeiten, beste zuerst"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(new ChoiceDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setTabKeyNavigation(false); // Tab leaves the table for the next part
    m_table->setShowGrid(false);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(ChoiceTableModel::Endings, QHeaderView::Stretch);
    header->setHighlightSections(false);
    // Room for the best eight holds, the best entry, the player's hold and rolling all five,
    // kept while the table is empty, so that the coach keeps its size from board to board.
    m_table->setMinimumHeight(m_table->horizontalHeader()->sizeHint().height() +
                              11 * m_table->verticalHeader()->defaultSectionSize() +
                              2 * m_table->frameWidth());
    keepRoom(m_table);
    layout->addWidget(m_table, 1);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showSelected(); });

    m_details = new BoardDetails(this);
    layout->addWidget(m_details);
    showNothing();
}

void BoardPage::showAnalysis(const BoardAnalysis& analysis) {
    m_analysis = analysis;
    m_headline->showAdvice(analysis.advice);
    m_model->showAnalysis(&*m_analysis);
    m_table->setVisible(!analysis.rows.empty());
    if (analysis.rows.empty()) {
        m_dice->showDice(analysis.board, {}, std::nullopt, QString());
        m_details->showNothing();
        return;
    }
    selectRow(analysis.playersRow.value_or(0));
}

void BoardPage::showNothing() {
    m_analysis.reset();
    m_headline->showNothing();
    m_dice->showNothing();
    m_model->showAnalysis(nullptr);
    m_table->hide();
    m_details->showNothing();
}

void BoardPage::selectRow(std::size_t row) {
    const QModelIndex index = m_model->index(static_cast<int>(row), 0);
    // A new current row shows itself (currentRowChanged); the same one again is shown here.
    const bool same = m_table->selectionModel()->currentIndex().row() == index.row();
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    if (same)
        showSelected();
}

std::optional<std::size_t> BoardPage::selectedRow() const {
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    if (!m_analysis || !current.isValid())
        return std::nullopt;
    return static_cast<std::size_t>(current.row());
}

void BoardPage::showSelected() {
    const std::optional<std::size_t> row = selectedRow();
    if (!row || *row >= m_analysis->rows.size()) {
        m_details->showNothing();
        return;
    }
    m_details->showRow(*m_analysis, *row);
    const Choice& best = m_analysis->rows.front().choice;
    const ChoiceRow& selected = m_analysis->rows[*row];
    const Choice& chosen = selected.choice;
    QString caption = QStringLiteral("Beste Wahl: %1").arg(choiceText(best));
    std::optional<std::vector<int>> other;
    if (*row != 0) {
        caption += QStringLiteral(" · Rang %1: %2").arg(selected.rank).arg(choiceText(chosen));
        if (!chosen.enters())
            other = chosen.hold;
    }
    m_dice->showDice(m_analysis->board, best.enters() ? std::vector<int>() : best.hold, other,
                     caption);
}

} // namespace kubiq
