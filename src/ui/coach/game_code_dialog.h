#pragma once

#include "game_code.h"

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;

namespace kubiq {

// "Spiel laden": a game from its code, for its review beside the run's games. It never blocks
// and never touches the game in play; a bad code is told in one sentence and changes nothing.
class GameCodeDialog final : public QDialog {
public:
    explicit GameCodeDialog(QWidget* parent = nullptr);

    // Takes each game read, with its code as read; the dialog then closes.
    std::function<void(const CodedGame&, const std::string&)> onLoaded;

private:
    void read();

    QLineEdit* m_code = nullptr;
    QLabel* m_problem = nullptr;
};

} // namespace kubiq
