#include "board_dialog.h"

#include "board_analysis.h"
#include "board_code.h"
#include "board_code_texts.h"
#include "board_page.h"
#include "coach_lines.h"
#include "code_entry.h"
#include "sheet_rows.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace kubiq {

namespace {

constexpr int kOpenEntry = -1;
constexpr int kWidth = 900;

QPushButton* addButton(QWidget* parent, QBoxLayout* layout, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

// Selects the item holding `value`; the first where none does.
void selectValue(QComboBox* box, int value) {
    box->setCurrentIndex(std::max(0, box->findData(value)));
}

} // namespace

BoardDialog::BoardDialog(const Coach& coach, QWidget* parent) : QDialog(parent), m_coach(coach) {
    prepareCodeDialog(this, "BrettDialog", QStringLiteral("KUBIQ – Brett analysieren"));
    auto* layout = new QVBoxLayout(this);
    const CodeEntry entry =
        addCodeEntry(this, layout,
                     {QStringLiteral("&Code:"), "Code", QStringLiteral("K1-…"),
                      static_cast<int>(kCodeLength), "CodeLesen", QStringLiteral("Code &lesen")},
                     [this] { readCode(); });
    m_code = entry.field;
    m_problem = entry.problem;

    auto* body = new QHBoxLayout;
    layout->addLayout(body, 1);
    auto* hand = new QGroupBox(QStringLiteral("Brett von Hand"), this);
    hand->setObjectName(QStringLiteral("VonHand"));
    body->addWidget(hand);
    auto* form = new QFormLayout(hand);
    for (int c = 0; c < kCategoryCount; ++c) {
        auto* entry = new QComboBox(hand);
        const QString name = QString::fromUtf8(spokenRow(c));
        entry->setObjectName(QStringLiteral("Eintrag%1").arg(c));
        entry->setAccessibleName(name);
        entry->addItem(QStringLiteral("offen"), kOpenEntry);
        for (int points : categoryScores(c))
            entry->addItem(QString::number(points), points);
        form->addRow(name, entry);
        m_entries[c] = entry;
    }
    auto* diceRow = new QHBoxLayout;
    auto* heldRow = new QHBoxLayout;
    for (int die = 0; die < kDiceCount; ++die) {
        auto* face = new QComboBox(hand);
        face->setObjectName(QStringLiteral("Wuerfel%1").arg(die));
        face->setAccessibleName(QStringLiteral("Würfel %1").arg(die + 1));
        face->addItem(QStringLiteral("–"), 0);
        for (int f = 1; f <= 6; ++f)
            face->addItem(QString::number(f), f);
        diceRow->addWidget(face);
        m_faces[die] = face;
        auto* held = new QCheckBox(hand);
        held->setObjectName(QStringLiteral("Gehalten%1").arg(die));
        held->setAccessibleName(QStringLiteral("Würfel %1 gehalten").arg(die + 1));
        heldRow->addWidget(held);
        m_held[die] = held;
    }
    form->addRow(QStringLiteral("Würfel"), diceRow);
    form->addRow(QStringLiteral("gehalten"), heldRow);
    m_rollsLeft = new QComboBox(hand);
    m_rollsLeft->setObjectName(QStringLiteral("WuerfeUebrig"));
    m_rollsLeft->setAccessibleName(QStringLiteral("Würfe übrig"));
    for (int left = kRollsPerTurn; left >= 0; --left)
        m_rollsLeft->addItem(QString::number(left), kRollsPerTurn - left);
    form->addRow(QStringLiteral("Würfe übrig"), m_rollsLeft);
    auto* handButtons = new QHBoxLayout;
    form->addRow(handButtons);
    QPushButton* analyse =
        addButton(hand, handButtons, "Analysieren", QStringLiteral("Brett &analysieren"));
    connect(analyse, &QPushButton::clicked, this, &BoardDialog::readFields);

    // Ctrl+C copies the board's code here too, unless the code field copies its own selection.
    new QShortcut(QKeySequence::Copy, this, this, [this] {
        if (const std::optional<Position> shown = board())
            QGuiApplication::clipboard()->setText(QString::fromStdString(boardCode(*shown)));
    });

    m_page = new BoardPage(this);
    m_page->setObjectName(QStringLiteral("Brettanalyse"));
    body->addWidget(m_page, 1);
    // Room for the table's every column beside the sheet, on a screen 1280 pixels wide.
    resize(std::max(sizeHint().width(), kWidth), sizeHint().height());
}

bool BoardDialog::showBoard(const Position& board) {
    if (const std::optional<CodeProblem> problem = boardProblem(board)) {
        tell(codeProblemLine(*problem));
        return false;
    }
    const std::optional<BoardAnalysis> analysis = analyse(m_coach, board);
    if (!analysis) {
        // A board the rules allow is one the coach's table holds; this guards a foreign table.
        tell(QStringLiteral("Der Berater kennt dieses Brett nicht."));
        return false;
    }
    m_problem->hide();
    m_code->setText(QString::fromStdString(boardCode(board)));
    setFields(board);
    m_page->showAnalysis(*analysis);
    return true;
}

std::optional<Position> BoardDialog::board() const {
    const std::optional<BoardAnalysis>& shown = m_page->analysis();
    return shown ? std::optional<Position>(shown->board) : std::nullopt;
}

void BoardDialog::readCode() {
    const std::variant<Position, CodeProblem> parsed = parseBoardCode(m_code->text().toStdString());
    if (const auto* problem = std::get_if<CodeProblem>(&parsed))
        tell(codeProblemLine(*problem));
    else
        showBoard(std::get<Position>(parsed));
}

void BoardDialog::readFields() {
    Scores entries{};
    for (int c = 0; c < kCategoryCount; ++c)
        if (const int points = m_entries[c]->currentData().toInt(); points != kOpenEntry)
            entries[c] = points;
    Faces faces{};
    std::array<bool, kDiceCount> held{};
    for (int die = 0; die < kDiceCount; ++die) {
        faces[die] = m_faces[die]->currentData().toInt();
        held[die] = m_held[die]->isChecked();
    }
    showBoard(boardWith(entries, faces, held, m_rollsLeft->currentData().toInt()));
}

void BoardDialog::setFields(const Position& board) {
    for (int c = 0; c < kCategoryCount; ++c)
        selectValue(m_entries[c], board.open >> c & 1 ? kOpenEntry : board.points[c]);
    for (int die = 0; die < kDiceCount; ++die) {
        selectValue(m_faces[die], board.faces[die]);
        m_held[die]->setChecked(board.held[die]);
    }
    selectValue(m_rollsLeft, board.rollsMade);
}

void BoardDialog::tell(const QString& problem) {
    setLine(m_problem, problem);
}

} // namespace kubiq
