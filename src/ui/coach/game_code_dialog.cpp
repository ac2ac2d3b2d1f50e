#include "game_code_dialog.h"

#include "board_code_texts.h"
#include "coach_lines.h"
#include "design_palette.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kubiq {

GameCodeDialog::GameCodeDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SpielDialog"));
    setWindowTitle(QStringLiteral("KUBIQ – Spiel laden"));
    setAccessibleName(windowTitle());
    setPalette(designPalette());
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    auto* label = new QLabel(QStringLiteral("&Spielcode:"), this);
    row->addWidget(label);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("Spielcode"));
    m_code->setAccessibleName(QStringLiteral("Spielcode"));
    m_code->setPlaceholderText(QStringLiteral("G1-…"));
    // Room for a whole turn's characters at a glance; a game's code scrolls within.
    m_code->setMinimumWidth(m_code->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 24);
    label->setBuddy(m_code);
    row->addWidget(m_code, 1);
    auto* load = new QPushButton(QStringLiteral("Spiel &laden"), this);
    load->setObjectName(QStringLiteral("SpielLesen"));
    load->setAutoDefault(false);
    row->addWidget(load);
    connect(load, &QPushButton::clicked, this, &GameCodeDialog::read);
    connect(m_code, &QLineEdit::returnPressed, this, &GameCodeDialog::read);
    m_problem = addLine(this, layout, "Problem");
    m_problem->setWordWrap(true);
    m_problem->hide();
}

void GameCodeDialog::read() {
    const std::string code = m_code->text().trimmed().toStdString();
    const std::variant<CodedGame, GameCodeProblem> parsed = parseGameCode(code);
    if (const auto* problem = std::get_if<GameCodeProblem>(&parsed)) {
        setLine(m_problem, gameCodeProblemLine(*problem));
        return;
    }
    m_problem->hide();
    if (onLoaded)
        onLoaded(std::get<CodedGame>(parsed), code);
    close();
}

} // namespace kubiq
