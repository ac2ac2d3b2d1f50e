#include "practice_view.h"

#include "coach_lines.h"
#include "coach_texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kubiq {

namespace {

QPushButton* button(QWidget* parent, const QString& name) {
    auto* created = new QPushButton(parent);
    created->setObjectName(name);
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
    connect(m_list, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setExercise(m_list->row(item)); });

    m_board = new QWidget(this);
    m_board->setObjectName(QStringLiteral("Aufgabe"));
    auto* board = new QVBoxLayout(m_board);
    board->setContentsMargins(0, 0, 0, 0);
    m_title = addLine(m_board, board, "Aufgabenbrett");
    auto* dice = new QHBoxLayout;
    for (int i = 0; i < kDiceCount; ++i) {
        m_dice[i] = button(m_board, QStringLiteral("UebenWuerfel(%1)").arg(i));
        m_dice[i]->setFont(QFont(font().family(), font().pointSize() + 4, QFont::Bold));
        connect(m_dice[i], &QPushButton::clicked, this, [this, i] { toggleDie(i); });
        dice->addWidget(m_dice[i]);
    }
    board->addLayout(dice);
    m_rollsLeft = addLine(m_board, board, "UebenWuerfe");
    m_roll = button(m_board, QStringLiteral("UebenWuerfeln"));
    connect(m_roll, &QPushButton::clicked, this, [this] {
        std::vector<int> held;
        const Position& shown = m_practice.open()[m_current].original.before;
        for (int i = 0; i < kDiceCount; ++i)
            if (m_held[i])
                held.push_back(shown.faces[i]);
        std::sort(held.begin(), held.end());
        answer({held, -1});
    });
    board->addWidget(m_roll);
    auto* sheet = new QGridLayout;
    for (int c = 0; c < kCategoryCount; ++c) {
        m_categories[c] = button(m_board, QStringLiteral("UebenKategorie(%1)").arg(c));
        connect(m_categories[c], &QPushButton::clicked, this, [this, c] { answer({{}, c}); });
        sheet->addWidget(m_categories[c], c % 7, c / 7);
    }
    board->addLayout(sheet);
    m_sums = addLine(m_board, board, "UebenSummen");
    m_answer = addLine(m_board, board, "Antwort");
    m_original = addLine(m_board, board, "Damals");
    layout->addWidget(m_board);
    m_next = button(this, QStringLiteral("NaechsteAufgabe"));
    m_next->setText(QStringLiteral("Nächste Aufgabe"));
    connect(m_next, &QPushButton::clicked, this, [this] { next(); });
    layout->addWidget(m_next);
    m_board->hide();
    showList();
}

void PracticeView::follow(const Coach& coach, const std::vector<PlayedGame>& finished) {
    m_coach = &coach;
    if (!m_practice.follow(coach, finished))
        return;
    // New exercises may come before the one in hand: it is set again from its start.
    m_current = -1;
    m_after = 0;
    m_board->hide();
    showList();
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
    setRows(m_list, rows);
    m_next->setVisible(!open.empty());
}

void PracticeView::setExercise(int index) {
    if (index < 0 || index >= static_cast<int>(m_practice.open().size()))
        return;
    m_current = index;
    m_answered = false;
    m_held = {};
    m_list->setCurrentRow(index);
    m_answer->hide();
    m_original->hide();
    showBoard();
    m_board->show();
}

void PracticeView::toggleDie(int die) {
    m_held[die] = !m_held[die];
    showBoard();
}

void PracticeView::showBoard() {
    const Exercise& exercise = m_practice.open()[m_current];
    const Position& board = exercise.original.before;
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
                      .arg(face, m_held[i] ? QStringLiteral(", gehalten") : QString()),
                  !m_answered && rollsLeft > 0);
        // Held dice red, as in the game.
        m_dice[i]->setStyleSheet(m_held[i] ? QStringLiteral("background: rgb(255, 0, 0); color: white;")
                                           : QString());
    }
    setLine(m_rollsLeft, rollsLeftLine(rollsLeft));
    setButton(m_roll, QStringLiteral("Würfeln"), QStringLiteral("Würfeln"),
              !m_answered && rollsLeft > 0);
    for (int c = 0; c < kCategoryCount; ++c) {
        const bool open = board.open >> c & 1;
        const QString line = sheetLine(board, c);
        setButton(m_categories[c], line, open ? line + QStringLiteral(", eintragen") : line,
                  open && !m_answered);
    }
    setLine(m_sums, sumsLine(board));
}

void PracticeView::answer(const Choice& choice) {
    if (m_current < 0 || m_answered || m_coach == nullptr)
        return;
    const Exercise exercise = m_practice.open()[m_current];
    const std::optional<Weighing> weighing = m_practice.answer(*m_coach, m_current, choice);
    if (!weighing)
        return;
    m_answered = true;
    const bool solved = weighing->isBest();
    setLine(m_answer, answerLine(*weighing));
    setLine(m_original, originalLine(exercise));
    // A solved exercise has left the list: the one after it now stands where it stood.
    m_after = solved ? m_current : m_current + 1;
    if (solved) {
        // The board stays on show with its answer.
        m_current = -1;
        showList();
        for (QPushButton* part : m_board->findChildren<QPushButton*>())
            part->setEnabled(false);
    } else {
        showBoard();
    }
    m_next->setFocus();
}

void PracticeView::next() {
    const int open = static_cast<int>(m_practice.open().size());
    if (!m_answered && m_current >= 0)
        m_after = m_current + 1; // skipped
    setExercise(m_after < open ? m_after : 0);
}

} // namespace kubiq
