#include "coach_window.h"

#include "board_analysis.h"
#include "board_code.h"
#include "board_dialog.h"
#include "board_page.h"
#include "coach_lines.h"
#include "coach_texts.h"
#include "design_palette.h"
#include "exercise_bank.h"
#include "game_balance_view.h"
#include "game_code_dialog.h"
#include "message_box.h"
#include "practice_view.h"
#include "review_view.h"
#include "run_view.h"

#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace kubiq {

namespace {

// Narrow enough to fit beside the centred game on a screen 1280 pixels wide.
constexpr int kNarrowest = 360;
// Room for the coach's own frame, which the window manager adds.
constexpr int kFrame = 16;
// Room for the window manager's frames between the two windows.
constexpr int kGap = 8;

QWidget* page(QTabWidget* tabs, const char* name, const QString& title,
              std::initializer_list<QWidget*> views) {
    auto* widget = new QWidget(tabs);
    widget->setObjectName(QLatin1String(name));
    auto* layout = new QVBoxLayout(widget);
    for (QWidget* view : views)
        layout->addWidget(view);
    layout->addStretch();
    tabs->addTab(widget, title);
    return widget;
}

// Adds why each of `moves` from `from` on fell short of the best, one reason for each decision
// of their review: a move on a board no game can show is no decision there.
void explainMoves(const Coach& coach, const std::vector<Move>& moves, std::size_t from,
                  Reasons& reasons) {
    for (std::size_t i = from; i < moves.size(); ++i) {
        std::optional<Explanation> why = coach.explain(moves[i].before, choiceOf(moves[i]));
        if (!why)
            continue;
        if (why->weighing.isBest())
            why.reset();
        reasons.push_back(std::move(why));
    }
}

} // namespace

CoachWindow::CoachWindow(std::vector<std::string> tables, MessageBox& box, QWidget* parent)
    : QWidget(parent, Qt::Window), m_tables(std::move(tables)), m_box(box) {
    setObjectName(QStringLiteral("CoachWindow"));
    setWindowTitle(QStringLiteral("KUBIQ – Berater"));
    setAccessibleName(windowTitle());
    setMinimumWidth(300);
    setPalette(designPalette()); // the game's light colours, whatever the desktop's scheme
    // The keys stay with the game, so that keyboard play goes on with the coach beside it; the
    // coach is one switch of windows away.
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* layout = new QVBoxLayout(this);
    m_problem = addLine(this, layout, "Problem");
    m_problem->hide();
    m_views = new QTabWidget(this);
    m_views->setObjectName(QStringLiteral("Ansichten"));
    layout->addWidget(m_views, 1);

    m_board = new BoardPage;
    m_balance = new GameBalanceView;
    m_warn = new QCheckBox(QStringLiteral("Vor teuren Fehlern warnen"));
    m_warn->setObjectName(QStringLiteral("Warnen"));
    page(m_views, "Rat", QStringLiteral("Rat"), {m_board, m_balance, m_warn});
    m_review = new ReviewView;
    page(m_views, "Analyse", QStringLiteral("Spielanalyse"), {m_review});
    m_review->analyseBoard = [this](const Position& board) {
        return m_coach ? kubiq::analyse(*m_coach, board) : std::nullopt;
    };
    m_review->copyGame = [this] { copyGameCode(); };
    m_review->loadGame = [this] { openGameDialog(); };
    m_run = new RunView;
    page(m_views, "Statistik", QStringLiteral("Statistik"), {m_run});
    m_practice = new PracticeView;
    page(m_views, "Ueben", QStringLiteral("Üben"), {m_practice});

    for (QKeySequence key : {QKeySequence(Qt::Key_F2), QKeySequence(Qt::Key_Escape)})
        new QShortcut(key, this, this, &QWidget::close);
    new QShortcut(QKeySequence::Copy, this, this, &CoachWindow::copyBoardCode);
}

std::vector<std::string> CoachWindow::tablesBesideProgram() {
    const QString program = QCoreApplication::applicationDirPath();
    return {QDir::cleanPath(program + QStringLiteral("/../share/games/kubiq/coach.table"))
                .toStdString(),
            (program + QStringLiteral("/coach.table")).toStdString()};
}

void CoachWindow::load() {
    m_loaded = true;
    std::optional<TableProblem> problem = TableProblem::Missing;
    for (const std::string& path : m_tables) {
        std::variant<Coach, TableProblem> loaded = Coach::load(path);
        if (auto* coach = std::get_if<Coach>(&loaded)) {
            m_coach.emplace(std::move(*coach));
            problem.reset();
            break;
        }
        problem = std::get<TableProblem>(loaded);
        if (problem != TableProblem::Missing)
            break; // a table that is there but bad is the one to tell of
    }
    if (problem) {
        m_views->hide();
        setLine(m_problem, problemLine(*problem));
        return;
    }
    // The bank of exercises lies beside the table it was mined with.
    const std::string& table =
        *std::find_if(m_tables.begin(), m_tables.end(), [](const std::string& path) {
            return QFileInfo::exists(QString::fromStdString(path));
        });
    m_practice->setBank(readBank((QFileInfo(QString::fromStdString(table)).absolutePath() +
                                  QStringLiteral("/exercises.bank"))
                                     .toStdString()));
}

void CoachWindow::follow(const Position& position, const MoveLog& moves) {
    if (!m_loaded)
        load();
    if (!m_coach)
        return;
    const std::vector<PlayedGame>& finished = moves.finished();
    while (m_finished.size() < finished.size()) {
        const PlayedGame& game = finished[m_finished.size()];
        m_finished.push_back(reviewGame(*m_coach, game));
        explainMoves(*m_coach, game.moves, 0, m_finishedReasons.emplace_back());
        m_finishedCodes.push_back(gameCode(game.moves, Position()));
    }
    const std::vector<Move>& thisGame = moves.thisGame();
    if (m_liveGame != finished.size() || m_liveMoves > thisGame.size()) {
        m_liveReasons.clear();
        m_liveMoves = 0;
        m_liveGame = finished.size();
    }
    explainMoves(*m_coach, thisGame, m_liveMoves, m_liveReasons);
    m_liveMoves = thisGame.size();
    m_live = reviewGame(*m_coach, thisGame, position);
    // From the last entry until the game-over box is closed the finished sheet stays on show,
    // while the log already waits for the next game: the game on show is the one just finished.
    m_over = position.open == 0 && !m_finished.empty();
    m_liveCode = m_over ? m_finishedCodes.back() : gameCode(thisGame, position);
    const GameReview& onShow = m_over ? m_finished.back() : m_live;

    if (const std::optional<BoardAnalysis> analysis = analyse(*m_coach, position))
        m_board->showAnalysis(*analysis);
    else
        m_board->showNothing();
    m_balance->showGame(onShow, m_finished.empty() ? nullptr : &m_finished.back());
    showReviews();
    m_run->showRun(m_finished);
    m_practice->follow(*m_coach, finished);
}

bool CoachWindow::allowsEntry(const Position& position, int category) {
    if (!m_warn->isChecked() || !m_coach)
        return true;
    const std::optional<BoardAnalysis>& shown = m_board->analysis();
    const std::optional<Explanation> why = shown && shown->board == position
                                               ? shown->explainEntry(category)
                                               : m_coach->explain(position, {{}, category});
    if (!why || why->weighing.cost() < kMistake || !(position.open >> category & 1))
        return true;
    return m_box.question("KUBIQ – Berater", warningText(*why).toStdString());
}

void CoachWindow::contextMenuEvent(QContextMenuEvent* event) {
    // A menu rather than a button: the coach's height is the board's. Shown with popup(), not
    // exec(), so that no event loop runs inside another.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copy =
        menu->addAction(QStringLiteral("Code kopieren"), this, &CoachWindow::copyBoardCode);
    copy->setObjectName(QStringLiteral("CodeKopieren"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(m_board->analysis() && !boardProblem(m_board->analysis()->board));
    menu->addAction(QStringLiteral("Brett analysieren…"), this, &CoachWindow::openBoardDialog)
        ->setObjectName(QStringLiteral("BrettAnalysieren"));
    menu->popup(event->globalPos());
}

void CoachWindow::copyBoardCode() {
    // On "Üben", the exercise's board as it was set.
    if (const std::optional<Position> exercise = m_practice->boardOnShow()) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(boardCode(*exercise)));
        return;
    }
    // A finished sheet leaves nothing to decide, and its code would be refused.
    const std::optional<BoardAnalysis>& shown = m_board->analysis();
    if (shown && !boardProblem(shown->board))
        QGuiApplication::clipboard()->setText(QString::fromStdString(boardCode(shown->board)));
}

void CoachWindow::openBoardDialog() {
    if (!m_loaded)
        load();
    if (!m_coach)
        return;
    if (!m_boardDialog) {
        m_boardDialog = new BoardDialog(*m_coach, this);
        const std::optional<BoardAnalysis>& shown = m_board->analysis();
        if (shown && !boardProblem(shown->board))
            m_boardDialog->showBoard(shown->board);
    }
    // Not exec(): the game and the coach go on beside it.
    m_boardDialog->show();
    m_boardDialog->raise();
    m_boardDialog->activateWindow();
}

void CoachWindow::showReviews() {
    m_review->showGames(m_over ? m_finished.back() : m_live,
                        m_over ? m_finishedReasons.back() : m_liveReasons, m_finished,
                        m_finishedReasons, m_loadedGames, m_loadedGameReasons);
}

void CoachWindow::copyGameCode() {
    const auto chosen = static_cast<std::size_t>(m_review->chosenGame());
    const std::size_t finished = m_finishedCodes.size();
    const std::string& code = chosen == 0          ? m_liveCode
                              : chosen <= finished ? m_finishedCodes[chosen - 1]
                                                   : m_loadedCodes.at(chosen - 1 - finished);
    if (!code.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(code));
}

void CoachWindow::openGameDialog() {
    if (!m_coach)
        return;
    if (!m_gameDialog) {
        m_gameDialog = new GameCodeDialog(this);
        m_gameDialog->onLoaded = [this](const CodedGame& game, const std::string& code) {
            addLoaded(game, code);
        };
    }
    // Not exec(): the game and the coach go on beside it.
    m_gameDialog->show();
    m_gameDialog->raise();
    m_gameDialog->activateWindow();
}

void CoachWindow::addLoaded(const CodedGame& game, const std::string& code) {
    m_loadedGames.push_back(game.finished() ? reviewGame(*m_coach, {game.moves, *game.total()})
                                            : reviewGame(*m_coach, game.moves, game.now));
    explainMoves(*m_coach, game.moves, 0, m_loadedGameReasons.emplace_back());
    m_loadedCodes.push_back(code);
    showReviews();
    m_review->chooseGame(static_cast<int>(m_finished.size() + m_loadedGames.size()));
}

void CoachWindow::placeBeside(const QWidget& game) {
    adjustSize();
    const QScreen* display = game.screen();
    const QRect room = display ? display->availableGeometry() : QRect();
    resize(widthBeside(game.frameGeometry(), room), height());
    move(besidePosition(game.frameGeometry(), frameGeometry().size(), room));
}

int CoachWindow::widthBeside(const QRect& game, const QRect& room) {
    if (!room.isValid())
        return kDefaultWidth;
    const int beside = std::max(room.right() - game.right(), game.left() - room.left());
    return std::clamp(beside - kGap - kFrame, kNarrowest, kDefaultWidth);
}

QPoint CoachWindow::besidePosition(const QRect& game, const QSize& size, const QRect& room) {
    if (!room.isValid())
        return {game.right() + 1 + kGap, game.top()};
    // Level with the game, unless that would put the coach's foot below the screen: it is
    // taller than the game, and a game centred on a low screen leaves less room below.
    const int top = std::max(room.top(), std::min(game.top(), room.bottom() + 1 - size.height()));
    const QPoint right(game.right() + 1 + kGap, top);
    if (right.x() + size.width() <= room.right() + 1)
        return right;
    return {std::max(room.left(), game.left() - size.width() - kGap), top};
}

} // namespace kubiq
