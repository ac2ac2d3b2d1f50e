#include "review_view.h"

#include "board_page.h"
#include "chance_marks.h"
#include "chart_view.h"
#include "coach_lines.h"
#include "coach_texts.h"
#include "review_delegate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace kubiq {

namespace {

const QString kJumps = QStringLiteral("Strg+↓ springt zur nächsten markierten Entscheidung, "
                                      "Strg+↑ zur vorigen.");

} // namespace

ReviewView::ReviewView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The review takes the page's height, shared by its table and its panes.
    QSizePolicy grows(QSizePolicy::Preferred, QSizePolicy::Expanding);
    grows.setVerticalStretch(1);
    setSizePolicy(grows);
    m_games = new QComboBox(this);
    m_games->setObjectName(QStringLiteral("Spielauswahl"));
    m_games->setAccessibleName(QStringLiteral("Spiel"));
    m_games->addItem(QStringLiteral("Laufendes Spiel"));
    auto* games = new QHBoxLayout;
    games->addWidget(m_games, 1);
    for (const auto& [name, text, tip, action] :
         {std::tuple{"SpielKopieren", "Spiel kopieren",
                     "Legt den Code des gewählten Spiels in die Zwischenablage.", &copyGame},
          std::tuple{"SpielLaden", "Spiel laden…",
                     "Liest ein Spiel aus seinem Code und zeigt seine Analyse.", &loadGame}}) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setObjectName(QLatin1String(name));
        button->setToolTip(QString::fromUtf8(tip));
        connect(button, &QPushButton::clicked, this, [action = action] {
            if (*action)
                (*action)();
        });
        games->addWidget(button);
    }
    layout->addLayout(games);
    m_balance = addLine(this, layout, "Bilanz");
    m_onlyMarked = new QCheckBox(QStringLiteral("nur Fehler"), this);
    m_onlyMarked->setObjectName(QStringLiteral("NurFehler"));
    m_onlyMarked->setToolTip(
        QStringLiteral("Zeigt nur die markierten Entscheidungen: ?! Ungenauigkeit, ? Fehler, ?? "
                       "grober Fehler. ") +
        kJumps);
    layout->addWidget(m_onlyMarked);

    m_steps = new QTableView(this);
    m_steps->setObjectName(QStringLiteral("Spielverlauf"));
    m_steps->setAccessibleName(QStringLiteral("Würfe und Entscheidungen"));
    m_steps->setToolTip(kJumps);
    m_steps->setAccessibleDescription(kJumps);
    m_steps->setModel(&m_model);
    m_steps->setItemDelegate(new ReviewDelegate(m_steps));
    m_steps->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_steps->setSelectionMode(QAbstractItemView::SingleSelection);
    m_steps->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_steps->setTabKeyNavigation(false); // Tab goes on to the next part of the view
    m_steps->setWordWrap(false);
    m_steps->setShowGrid(false);
    m_steps->verticalHeader()->hide();
    // One line a row, tall enough for the dice drawn.
    m_steps->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_steps->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    // The figures as wide as they need; the two choices share the room left, cut short where
    // the coach is narrow (each row's whole sentence is its tooltip).
    m_steps->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (int column : {ReviewModel::Chosen, ReviewModel::Best})
        m_steps->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
    m_steps->horizontalHeader()->setHighlightSections(false);
    m_steps->setMinimumHeight(m_steps->horizontalHeader()->sizeHint().height() +
                              5 * m_steps->verticalHeader()->defaultSectionSize());
    layout->addWidget(m_steps, 1);
    const MarkedLine why = addMarkedLine(this, layout, "Begruendung", "BegruendungMarken");
    m_why = why.line;
    m_whyMarks = why.marks;
    m_why->hide();
    // The game's course below, and the board of the step chosen beside it.
    m_panes = new QTabWidget(this);
    m_panes->setObjectName(QStringLiteral("Analyseansicht"));
    m_chart = new ChartView(m_panes);
    m_chart->onStepClicked = [this](std::size_t step) { selectStep(step); };
    m_panes->addTab(m_chart, QStringLiteral("Verlauf"));
    m_board = new BoardPage;
    // Its parts named apart from those of the "Rat" page, so that each name finds one part.
    m_board->setObjectName(QStringLiteral("AnalyseBrett"));
    for (QObject* part : m_board->findChildren<QObject*>())
        if (!part->objectName().isEmpty())
            part->setObjectName(QStringLiteral("Analyse") + part->objectName());
    m_board->showNothing();
    // The board as tall as it needs, scrolled within the room the pane has: the pane's own height
    // is the page's to share, not the board's to claim.
    auto* scrolled = new QScrollArea(m_panes);
    scrolled->setObjectName(QStringLiteral("AnalyseBrettRahmen"));
    scrolled->setWidgetResizable(true);
    scrolled->setFrameShape(QFrame::NoFrame);
    scrolled->setWidget(m_board);
    m_panes->addTab(scrolled, QStringLiteral("Brett"));
    m_panes->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    m_panes->setMinimumHeight(m_panes->tabBar()->sizeHint().height() +
                              m_chart->minimumSizeHint().height() + 8);
    layout->addWidget(m_panes, 1);

    connect(m_games, &QComboBox::currentIndexChanged, this, [this] { showChosen(); });
    connect(m_onlyMarked, &QCheckBox::toggled, this, [this] {
        filter();
        if (m_chosenStep)
            selectStep(*m_chosenStep);
        // No marked decision to move to: the step hidden takes its reason and board with it.
        if (m_chosenStep && m_steps->isRowHidden(static_cast<int>(*m_chosenStep)))
            showNoStep();
    });
    connect(m_steps->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { stepChosen(); });
    for (const auto& [key, direction] :
         {std::pair{Qt::CTRL | Qt::Key_Down, 1}, {Qt::CTRL | Qt::Key_Up, -1}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = direction] { jump(step); });
    }
}

void ReviewView::showGames(const GameReview& onShow, const Reasons& onShowReasons,
                           const std::vector<GameReview>& finished,
                           const std::vector<Reasons>& finishedReasons,
                           const std::vector<GameReview>& loaded,
                           const std::vector<Reasons>& loadedReasons) {
    m_onShow = &onShow;
    m_onShowReasons = &onShowReasons;
    m_finished = &finished;
    m_finishedReasons = &finishedReasons;
    m_loaded = &loaded;
    m_loadedReasons = &loadedReasons;
    const QSignalBlocker quiet(m_games); // one showing for all the new games
    // The run's games before the loaded ones: a game finished after a loading goes before them
    // (the game chosen stays chosen).
    while (m_finishedListed < static_cast<int>(finished.size())) {
        ++m_finishedListed;
        m_games->insertItem(
            m_finishedListed,
            gameName(m_finishedListed, finished[m_finishedListed - 1].total.value_or(0)));
    }
    while (m_loadedListed < static_cast<int>(loaded.size())) {
        const GameReview& game = loaded[m_loadedListed++];
        m_games->addItem(loadedGameName(m_loadedListed, game));
    }
    showChosen();
}

int ReviewView::chosenGame() const {
    return std::max(0, m_games->currentIndex());
}

void ReviewView::chooseGame(int index) {
    m_games->setCurrentIndex(index);
}

void ReviewView::showChosen() {
    if (m_onShow == nullptr)
        return;
    const int chosen = m_games->currentIndex();
    const int loaded = chosen - 1 - m_finishedListed;
    const GameReview& review = chosen <= 0  ? *m_onShow
                               : loaded < 0 ? (*m_finished)[chosen - 1]
                                            : (*m_loaded)[loaded];
    const Reasons& reasons = chosen <= 0  ? *m_onShowReasons
                             : loaded < 0 ? (*m_finishedReasons)[chosen - 1]
                                          : (*m_loadedReasons)[loaded];
    setLine(m_balance, balanceLine(review));
    // The same game shown again keeps its step selected; another starts at its first.
    const std::size_t keep = chosen == m_shownGame ? m_chosenStep.value_or(0) : 0;
    m_shownGame = chosen;
    m_chosenStep.reset();
    m_model.showReview(review, reasons);
    m_chart->showReview(review);
    filter();
    selectStep(keep);
    if (!m_chosenStep)
        showNoStep();
}

void ReviewView::showNoStep() {
    m_chosenStep.reset();
    m_steps->setCurrentIndex(QModelIndex());
    m_chart->showSelected(std::nullopt);
    m_why->hide();
    m_whyMarks->showBars({}, {});
    m_board->showNothing();
}

void ReviewView::selectStep(std::size_t index) {
    const int rows = m_model.rowCount();
    if (rows == 0)
        return;
    int row = static_cast<int>(std::min<std::size_t>(index, rows - 1));
    if (m_steps->isRowHidden(row)) {
        // The nearest marked decision, the earlier of two as near.
        const std::optional<int> before = m_model.nextMarked(row, -1);
        const std::optional<int> after = m_model.nextMarked(row, 1);
        if (!before && !after)
            return;
        row = !after || (before && row - *before <= *after - row) ? *before : *after;
    }
    m_steps->setCurrentIndex(m_model.index(row, 0));
    m_steps->scrollTo(m_model.index(row, 0));
    stepChosen();
}

void ReviewView::filter() {
    const bool only = m_onlyMarked->isChecked();
    for (int row = 0; row < m_model.rowCount(); ++row)
        m_steps->setRowHidden(row, only && !m_model.isMarked(row));
}

void ReviewView::jump(int direction) {
    const QModelIndex current = m_steps->currentIndex();
    const int from = current.isValid() ? current.row() : direction > 0 ? -1 : m_model.rowCount();
    if (const std::optional<int> next = m_model.nextMarked(from, direction))
        selectStep(static_cast<std::size_t>(*next));
}

void ReviewView::stepChosen() {
    const QModelIndex current = m_steps->currentIndex();
    if (!current.isValid())
        return;
    const auto row = static_cast<std::size_t>(current.row());
    if (m_chosenStep == row)
        return; // told already
    m_chosenStep = row;
    if (const Explanation* why = m_model.reason(current.row())) {
        setLine(m_why, whyText(*why));
        // The bonus chances the decision left, each with a tick at those of the best choice.
        m_whyMarks->showBars(ChanceBars{{{why->chosen.bonus.upper}, why->best.bonus.upper, false},
                                        {{why->chosen.bonus.lower}, why->best.bonus.lower, false}},
                             bonusLine(why->chosen.bonus));
    } else {
        m_why->hide();
        m_whyMarks->showBars({}, {});
    }
    m_chart->showSelected(row);
    // The same board again, as a game in play is followed, is not analysed again.
    const Position& board = m_model.step(current.row()).board;
    if (m_board->analysis() && m_board->analysis()->board == board)
        return;
    const std::optional<BoardAnalysis> analysis = analyseBoard ? analyseBoard(board) : std::nullopt;
    if (analysis)
        m_board->showAnalysis(*analysis);
    else
        m_board->showNothing();
}

} // namespace kubiq
