#include "game_code_dialog.h"

#include "board_code_texts.h"
#include "coach_lines.h"
#include "code_entry.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kubiq {

GameCodeDialog::GameCodeDialog(QWidget* parent) : QDialog(parent) {
    prepareCodeDialog(this, "SpielDialog", QStringLiteral("KUBIQ – Spiel laden"));
    auto* layout = new QVBoxLayout(this);
    // Room for a whole turn's characters at a glance; a game's code scrolls within.
    const CodeEntry entry =
        addCodeEntry(this, layout,
                     {QStringLiteral("&Spielcode:"), "Spielcode", QStringLiteral("G1-…"), 24,
                      "SpielLesen", QStringLiteral("Spiel &laden")},
                     [this] { read(); });
    m_code = entry.field;
    m_problem = entry.problem;
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
