#include "practice_view.h"

#include "coach_lines.h"
#include "coach_texts.h"
#include "slip_marks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kubiq {

namespace {

QPushButton* button(QWidget* parent, const QString& name, const QString& text = QString()) {
    auto* created = new QPushButton(text, parent);
    created->setObjectName(name);
    if (!text.isEmpty())
        created->setAccessibleName(text);
    return created;
}

void setButton(QPushButton* button, const QString& text, const QString& spoken, bool enabled) {
    button->setText(text);
    if (button->accessibleName() != spoken)
        button->setAccessibleName(spoken);
    button->setEnabled(enabled);
}

} // namespace

PracticeView::PracticeView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_summary = addLine(this, layout, "Uebersicht");
    m_list = addList(this, layout, "Aufgabenliste", QStringLiteral("Aufgaben"));
    m_list->setMaximumHeight(110);
    m_list->setItemDelegate(new SlipMarksDelegate(m_list));
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_practice.take(static_cast<std::size_t>(m_list->row(item)));
        showExercise();
    });
    // The exercise marked as chosen is the one on show, whichever way the mark moved.
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || m_practice.index() == static_cast<std::size_t>(row))
            return;
        m_practice.take(static_cast<std::size_t>(row));
        showExercise();
    });

    m_board = new QWidget(this);
    m_board->setObjectName(QStringLiteral("Aufgabe"));
    auto* board = new QVBoxLayout(m_board);
    board->setContentsMargins(0, 0, 0, 0);
    addBoard(board);
    addHelps(board);
    layout->addWidget(m_board);

    m_next = button(this, QStringLiteral("NaechsteAufgabe"), QStringLiteral("Nächste Aufgabe"));
    connect(m_next, &QPushButton::clicked, this, [this] {
        m_practice.takeNext();
        showExercise();
    });
    layout->addWidget(m_next);
    showList();
    showExercise();
}

// The dice, the roll button and the sheet of the exercise, as in the game.
void PracticeView::addBoard(QVBoxLayout* board) {
    m_title = addLine(m_board, board, "Aufgabenbrett");
    auto* dice = new QHBoxLayout;
    for (int i = 0; i < kDiceCount; ++i) {
        m_dice[i] = button(m_board, QStringLiteral("UebenWuerfel(%1)").arg(i));
        m_dice[i]->setFont(QFont(font().family(), font().pointSize() + 4, QFont::Bold));
        connect(m_dice[i], &QPushButton::clicked, this, [this, i] {
            m_practice.toggle(i);
            showExercise();
        });
        dice->addWidget(m_dice[i]);
    }
    board->addLayout(dice);
    m_rollsLeft = addLine(m_board, board, "UebenWuerfe");
    m_roll = button(m_board, QStringLiteral("UebenWuerfeln"));
    connect(m_roll, &QPushButton::clicked, this,
            [this] { answered(m_coach && m_practice.roll(*m_coach)); });
    board->addWidget(m_roll);
    auto* sheet = new QGridLayout;
    for (int c = 0; c < kCategoryCount; ++c) {
        m_categories[c] = button(m_board, QStringLiteral("UebenKategorie(%1)").arg(c));
        connect(m_categories[c], &QPushButton::clicked, this, [this, c] {
            answered(m_coach && m_practice.answer(*m_coach, {{}, c}));
        });
        sheet->addWidget(m_categories[c], c % 7, c / 7);
    }
    board->addLayout(sheet);
    m_sums = addLine(m_board, board, "UebenSummen");
}

// The answer to a choice, and what a miss offers.
void PracticeView::addHelps(QVBoxLayout* board) {
    m_answer = addLine(m_board, board, "Antwort");
    m_original = addLine(m_board, board, "Damals");
    m_hint = addLine(m_board, board, "Tipp");
    m_candidates = addLine(m_board, board, "TippAuswahl");
    m_solution = addLine(m_board, board, "Loesung");
    m_why = addLine(m_board, board, "Warum");
    auto* helps = new QHBoxLayout;
    m_retry = button(m_board, QStringLiteral("Nochmal"), QStringLiteral("Nochmal"));
    connect(m_retry, &QPushButton::clicked, this, [this] {
        m_practice.retry();
        showExercise();
        // Back where the choice is made: the roll button, or the first open category.
        const auto enabled = [](const QPushButton* part) { return part->isEnabled(); };
        if (m_roll->isEnabled())
            m_roll->setFocus();
        else if (const auto open = std::find_if(m_categories.begin(), m_categories.end(), enabled);
                 open != m_categories.end())
            (*open)->setFocus();
    });
    m_askHint = button(m_board, QStringLiteral("TippZeigen"), QStringLiteral("Tipp"));
    connect(m_askHint, &QPushButton::clicked, this, [this] {
        m_practice.askHint();
        showExercise();
        (m_practice.hintSteps() > 1 ? m_candidates : m_hint)->setFocus();
    });
    m_showSolution = button(m_board, QStringLiteral("LoesungZeigen"), QStringLiteral("Lösung"));
    connect(m_showSolution, &QPushButton::clicked, this, [this] {
        m_practice.showSolution();
        showList();
        showExercise();
        m_solution->setFocus();
    });
    for (QPushButton* help : {m_retry, m_askHint, m_showSolution})
        helps->addWidget(help);
    board->addLayout(helps);
}

void PracticeView::follow(const Coach& coach, const std::vector<PlayedGame>& finished) {
    m_coach = &coach;
    if (!m_practice.follow(coach, finished))
        return;
    // The list marks its first exercise as chosen: its board is on show at once.
    m_practice.take(0);
    showList();
    showExercise();
}

void PracticeView::showList() {
    const std::vector<Exercise>& open = m_practice.open();
    if (open.empty() && m_practice.solved() == 0)
        setLine(m_summary, QStringLiteral("Noch keine Aufgabe: kein Spiel dieser Sitzung hat "
                                          "einen teuren Fehler."));
    else
        setLine(m_summary, practiceSummary(m_practice.solved(), open.size()));
    QStringList rows;
    for (const Exercise& exercise : open)
        rows << exerciseLine(exercise);
    const QSignalBlocker quiet(m_list); // a new list leaves the exercise in hand alone
    setRows(m_list, rows);
    for (int i = 0; i < m_list->count(); ++i) {
        const Slip slip = slipOf(open[static_cast<std::size_t>(i)].cost);
        SlipMarksDelegate::setBadges(m_list->item(i), {{slip, -1}});
        m_list->item(i)->setData(Qt::AccessibleTextRole,
                                 rows[i] + QStringLiteral(" – ") + slipWord(slip));
    }
    m_next->setVisible(!open.empty());
}

void PracticeView::showExercise() {
    m_board->setVisible(m_practice.inHand());
    if (!m_practice.inHand() || m_coach == nullptr)
        return;
    const Exercise& exercise = m_practice.exercise();
    const Position& board = m_practice.board();
    const Practice::Stage stage = m_practice.stage();
    const bool choosing = stage == Practice::Stage::Choosing;
    if (const std::optional<std::size_t> index = m_practice.index())
        m_list->setCurrentRow(static_cast<int>(*index));
    const int rollsLeft = kRollsPerTurn - board.rollsMade;
    setLine(m_title, QStringLiteral("Aufgabe: Spiel %1, Runde %2, nach dem %3. Wurf")
                         .arg(exercise.game)
                         .arg(board.turn())
                         .arg(board.rollsMade));
    for (int i = 0; i < kDiceCount; ++i) {
        const QString face = QString::number(board.faces[i]);
        setButton(m_dice[i], face,
                  QStringLiteral("Würfel %1: %2%3")
                      .arg(i + 1)
                      .arg(face, board.held[i] ? QStringLiteral(", gehalten") : QString()),
                  choosing && rollsLeft > 0);
        // Held dice red, as in the game.
        m_dice[i]->setStyleSheet(board.held[i]
                                     ? QStringLiteral("background: rgb(255, 0, 0); color: white;")
                                     : QString());
    }
    setLine(m_rollsLeft, rollsLeftLine(rollsLeft));
    setButton(m_roll, QStringLiteral("Würfeln"), QStringLiteral("Würfeln"),
              choosing && rollsLeft > 0);
    for (int c = 0; c < kCategoryCount; ++c) {
        const bool open = board.open >> c & 1;
        const QString line = sheetLine(board, c);
        setButton(m_categories[c], line, open ? line + QStringLiteral(", eintragen") : line,
                  open && choosing);
    }
    setLine(m_sums, sumsLine(board));

    // The last answer: right, or what it cost and, once the solution is shown, why.
    const std::optional<Choice>& given = m_practice.lastAnswer();
    const std::optional<Explanation> answer =
        !choosing && given ? m_coach->explain(board, *given) : std::nullopt;
    if (answer)
        setLine(m_answer, stage == Practice::Stage::Solved ? answerLine(answer->weighing)
                                                           : missLine(*answer));
    m_answer->setVisible(answer.has_value());
    const bool why = answer && stage == Practice::Stage::Shown;
    if (why)
        setLine(m_why, whyText(*answer));
    m_why->setVisible(why);
    // The choice made then, once this one is settled: during a retry it would only crowd the
    // board.
    if (m_practice.ended())
        setLine(m_original, originalLine(exercise));
    m_original->setVisible(m_practice.ended());
    const int steps = m_practice.ended() ? 0 : m_practice.hintSteps();
    if (steps > 0) {
        const Hint hint = m_practice.hint(*m_coach);
        setLine(m_hint, hintLine(hint));
        if (steps > 1)
            setLine(m_candidates, candidatesLine(hint));
    }
    m_hint->setVisible(steps > 0);
    m_candidates->setVisible(steps > 1);
    const std::optional<Weighing> solution =
        stage == Practice::Stage::Shown ? m_practice.solution(*m_coach) : std::nullopt;
    if (solution)
        setLine(m_solution, solutionLine(*solution));
    m_solution->setVisible(solution.has_value());
    m_retry->setVisible(stage == Practice::Stage::Missed);
    m_askHint->setVisible(m_practice.helps() && m_practice.hintSteps() < 2);
    m_showSolution->setVisible(m_practice.helps());
}

void PracticeView::answered(bool taken) {
    if (!taken)
        return;
    if (m_practice.ended())
        showList();
    showExercise();
    (m_practice.ended() ? m_next : m_retry)->setFocus();
}

} // namespace kubiq
