#include "practice_view.h"

#include "board_code.h"
#include "coach_lines.h"
#include "coach_texts.h"
#include "slip_marks.h"

#include <QCheckBox>
#include <QComboBox>
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
    addSource(layout);
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
        if (!fromBank())
            m_practice.takeNext();
        else if (!m_bankRun->next())
            setLine(m_bankLine, QStringLiteral("Alle Aufgaben dieses Themas sind gestellt."));
        showCounts();
        showExercise();
        if (fromBank() && m_bankRun->hand().inHand())
            m_dice[0]->setFocus();
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
            active().toggle(i);
            showExercise();
        });
        dice->addWidget(m_dice[i]);
    }
    board->addLayout(dice);
    m_rollsLeft = addLine(m_board, board, "UebenWuerfe");
    m_roll = button(m_board, QStringLiteral("UebenWuerfeln"));
    connect(m_roll, &QPushButton::clicked, this, [this] {
        answered(m_coach && (fromBank() ? m_bankRun->roll(*m_coach) : m_practice.roll(*m_coach)));
    });
    board->addWidget(m_roll);
    auto* sheet = new QGridLayout;
    for (int c = 0; c < kCategoryCount; ++c) {
        m_categories[c] = button(m_board, QStringLiteral("UebenKategorie(%1)").arg(c));
        connect(m_categories[c], &QPushButton::clicked, this, [this, c] {
            const Choice entry{{}, c};
            answered(m_coach && (fromBank() ? m_bankRun->answer(*m_coach, entry)
                                            : m_practice.answer(*m_coach, entry)));
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
        active().retry();
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
        active().askHint();
        showExercise();
        (active().hintSteps() > 1 ? m_candidates : m_hint)->setFocus();
    });
    m_showSolution = button(m_board, QStringLiteral("LoesungZeigen"), QStringLiteral("Lösung"));
    connect(m_showSolution, &QPushButton::clicked, this, [this] {
        active().showSolution();
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
    const bool bank = m_source->currentIndex() == 1;
    m_summary->setVisible(!bank);
    if (bank) {
        m_list->hide();
        m_next->setVisible(m_bankRun.has_value());
        return;
    }
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
    const Practice& practice = active();
    m_board->setVisible(practice.inHand() && !(m_source->currentIndex() == 1 && m_bankProblem));
    if (!practice.inHand() || m_coach == nullptr)
        return;
    const Exercise& exercise = practice.exercise();
    const Position& board = practice.board();
    const Practice::Stage stage = practice.stage();
    const bool choosing = stage == Practice::Stage::Choosing;
    const BankExercise* set = fromBank() ? &m_bankRun->bank()[*m_bankRun->current()] : nullptr;
    if (const std::optional<std::size_t> index = practice.index(); index && !set)
        m_list->setCurrentRow(static_cast<int>(*index));
    const int rollsLeft = kRollsPerTurn - board.rollsMade;
    setLine(m_title, set ? bankTitleLine(*set)
                         : QStringLiteral("Aufgabe: Spiel %1, Runde %2, nach dem %3. Wurf")
                               .arg(exercise.game)
                               .arg(board.turn())
                               .arg(board.rollsMade));
    if (set)
        setLine(
            m_code,
            QStringLiteral("Code: %1").arg(QString::fromStdString(boardCode(practice.start()))));
    m_code->setVisible(set != nullptr);
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
    const std::optional<Choice>& given = practice.lastAnswer();
    const std::optional<Explanation> answer =
        !choosing && given ? m_coach->explain(board, *given) : std::nullopt;
    if (answer)
        setLine(m_answer, stage != Practice::Stage::Solved ? missLine(*answer)
                          : set ? bankRightLine(answer->weighing, set->margin)
                                : answerLine(answer->weighing));
    m_answer->setVisible(answer.has_value());
    // An exercise of the bank says at once why a miss falls short, in figures that add up.
    const bool why =
        answer && (stage == Practice::Stage::Shown || (set && stage == Practice::Stage::Missed));
    if (why)
        setLine(m_why, whyText(*answer));
    m_why->setVisible(why);
    // The choice made then, once this one is settled: during a retry it would only crowd the
    // board.
    if (practice.ended() && !set)
        setLine(m_original, originalLine(exercise));
    m_original->setVisible(practice.ended() && !set);
    const int steps = practice.ended() ? 0 : practice.hintSteps();
    if (steps > 0) {
        const Hint hint = practice.hint(*m_coach);
        setLine(m_hint, hintLine(hint));
        if (steps > 1)
            setLine(m_candidates, candidatesLine(hint));
    }
    m_hint->setVisible(steps > 0);
    m_candidates->setVisible(steps > 1);
    const std::optional<Weighing> solution =
        stage == Practice::Stage::Shown ? practice.solution(*m_coach) : std::nullopt;
    if (solution)
        setLine(m_solution, solutionLine(*solution));
    m_solution->setVisible(solution.has_value());
    m_retry->setVisible(stage == Practice::Stage::Missed);
    m_askHint->setVisible(practice.helps() && practice.hintSteps() < 2);
    m_showSolution->setVisible(practice.helps());
}

void PracticeView::answered(bool taken) {
    if (!taken)
        return;
    if (active().ended())
        showList();
    showCounts();
    showExercise();
    (active().ended() ? m_next : m_retry)->setFocus();
}

bool PracticeView::fromBank() const {
    return m_source->currentIndex() == 1 && m_bankRun.has_value();
}

Practice& PracticeView::active() {
    return fromBank() ? m_bankRun->hand() : m_practice;
}

const Practice& PracticeView::active() const {
    return fromBank() ? m_bankRun->hand() : m_practice;
}

std::optional<Position> PracticeView::boardOnShow() const {
    if (!isVisible() || !active().inHand() || (m_source->currentIndex() == 1 && m_bankProblem))
        return std::nullopt;
    return active().start();
}

// Where the exercises come from: the player's own costly decisions, or the bank by theme and
// level, with the run's counts.
void PracticeView::addSource(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    m_source = new QComboBox(this);
    m_source->setObjectName(QStringLiteral("UebenQuelle"));
    m_source->setAccessibleName(QStringLiteral("Quelle der Aufgaben"));
    m_source->addItems({QStringLiteral("Meine Fehler"), QStringLiteral("Aufgaben")});
    row->addWidget(m_source, 1);
    layout->addLayout(row);
    m_bankChoice = new QWidget(this);
    auto* choice = new QHBoxLayout(m_bankChoice);
    choice->setContentsMargins(0, 0, 0, 0);
    m_theme = new QComboBox(m_bankChoice);
    m_theme->setObjectName(QStringLiteral("UebenThema"));
    m_theme->setAccessibleName(QStringLiteral("Thema"));
    m_theme->addItem(QStringLiteral("alle"));
    for (int t = 0; t < kThemeCount; ++t) {
        const std::string_view name = themeName(static_cast<Theme>(t));
        m_theme->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    m_level = new QComboBox(m_bankChoice);
    m_level->setObjectName(QStringLiteral("UebenStufe"));
    m_level->setAccessibleName(QStringLiteral("Stufe"));
    m_level->addItems(
        {QStringLiteral("leicht"), QStringLiteral("mittel"), QStringLiteral("schwer")});
    m_level->setCurrentIndex(1);
    m_repeat = new QCheckBox(QStringLiteral("Fehler wiederholen"), m_bankChoice);
    m_repeat->setObjectName(QStringLiteral("FehlerWiederholen"));
    choice->addWidget(m_theme, 1);
    choice->addWidget(m_level);
    choice->addWidget(m_repeat);
    layout->addWidget(m_bankChoice);
    m_bankLine = addLine(this, layout, "UebenZaehler");
    m_ownMistakes = button(this, QStringLiteral("ZuMeinenFehlern"), QStringLiteral("Meine Fehler"));
    layout->addWidget(m_ownMistakes);
    m_code = addLine(this, layout, "UebenCode");

    connect(m_source, &QComboBox::currentIndexChanged, this, [this] { chooseSource(); });
    connect(m_ownMistakes, &QPushButton::clicked, this, [this] { m_source->setCurrentIndex(0); });
    // A new theme or level chooses the next exercise by it; the one in hand stays.
    connect(m_theme, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_bankRun)
            m_bankRun->setTheme(index <= 0 ? std::nullopt
                                           : std::optional<Theme>(static_cast<Theme>(index - 1)));
    });
    connect(m_level, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_bankRun)
            m_bankRun->setLevel(static_cast<BankPractice::Level>(index));
    });
    connect(m_repeat, &QCheckBox::toggled, this, [this](bool on) {
        if (m_bankRun)
            m_bankRun->setRepeats(on);
    });
    m_bankChoice->hide();
    m_bankLine->hide();
    m_ownMistakes->hide();
    m_code->hide();
}

void PracticeView::setBank(std::variant<std::vector<BankExercise>, BankProblem> bank) {
    if (auto* problem = std::get_if<BankProblem>(&bank)) {
        m_bankProblem = *problem;
        m_bankRun.reset();
    } else {
        m_bankProblem.reset();
        m_bankRun.emplace(std::move(std::get<std::vector<BankExercise>>(bank)));
        m_bankRun->setLevel(static_cast<BankPractice::Level>(m_level->currentIndex()));
        m_bankRun->setRepeats(m_repeat->isChecked());
    }
    chooseSource();
}

void PracticeView::chooseSource() {
    const bool bank = m_source->currentIndex() == 1;
    m_bankChoice->setVisible(bank && m_bankRun);
    m_ownMistakes->setVisible(bank && m_bankProblem);
    if (bank && m_bankProblem)
        setLine(m_bankLine, bankProblemLine(*m_bankProblem));
    if (bank && m_bankRun && !m_bankRun->current())
        m_bankRun->next();
    showCounts();
    showList();
    showExercise();
}

void PracticeView::showCounts() {
    const bool bank = m_source->currentIndex() == 1;
    m_bankLine->setVisible(bank);
    if (bank && m_bankRun)
        setLine(m_bankLine, bankCountsLine(m_bankRun->solved(), m_bankRun->solvedFirstTry(),
                                           m_bankRun->streak(), m_bankRun->rating().rating));
}

} // namespace kubiq
