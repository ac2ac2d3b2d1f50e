#include "choice_table_model.h"

#include "coach_texts.h"

#include <QBrush>
#include <QFont>
#include <QPalette>

namespace kubiq {

namespace {

// The legend, one sentence a column.
const char* const kHeaders[][2] = {
    {"#", "Rang: 1 ist die beste Wahl; ▸ markiert deine Wahl, die Würfel, die du jetzt hältst."},
    {"Wahl", "Die Würfel, die gehalten werden, bevor neu gewürfelt wird, oder die Kategorie, "
             "die jetzt eingetragen wird."},
    {"Endsumme", "Die erwartete Endsumme des Spiels nach dieser Wahl, bei bester Spielweise."},
    {"Verlust", "Um wie viel die erwartete Endsumme unter der besten Wahl liegt; — bei der "
                "besten."},
    {"Runde", "Die Punkte, die diese Runde im Mittel einträgt, Boni eingeschlossen."},
    {"Bonus o.", "Die Chance, den oberen Bonus bis zum Spielende zu erreichen."},
    {"Bonus u.", "Die Chance, den unteren Bonus bis zum Spielende zu erreichen."},
    {"Ende", "Wie die Runde endet: die drei wahrscheinlichsten Einträge, dann der Rest. "
             "Die Zahlen stehen im Tooltip."},
};

} // namespace

ChanceBar endingsBar(const TurnOutlook& outlook) {
    constexpr qsizetype kShown = 3;
    ChanceBar bar{{}, -1.0, true};
    for (const TurnEnding& ending : outlook.endings) {
        if (bar.parts.size() <= kShown)
            bar.parts << ending.chance;
        else
            bar.parts.back() += ending.chance; // the rest, as one part
    }
    return bar;
}

ChoiceTableModel::ChoiceTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ChoiceTableModel::showAnalysis(const BoardAnalysis* analysis) {
    beginResetModel();
    m_rows = analysis ? analysis->rows : std::vector<ChoiceRow>();
    m_players = analysis ? analysis->playersRow : std::nullopt;
    endResetModel();
}

int ChoiceTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ChoiceTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString ChoiceTableModel::cellText(int row, int column) const {
    const ChoiceRow& choice = m_rows[static_cast<std::size_t>(row)];
    switch (column) {
    case Rank:
        return (m_players == static_cast<std::size_t>(row) ? QStringLiteral("▸") : QString()) +
               QString::number(choice.rank);
    case Choice:
        return choiceText(choice.choice);
    case Total:
        return coachNumber(choice.expectedTotal);
    case Loss:
        return row == 0 ? QStringLiteral("—") : coachNumber(-choice.loss);
    case ThisTurn:
        return coachNumber(choice.outlook.thisTurn);
    case Upper:
        return percentText(choice.outlook.bonus.upper);
    case Lower:
        return percentText(choice.outlook.bonus.lower);
    case Endings:
        return endingsText(choice.outlook);
    }
    return {};
}

QString ChoiceTableModel::rowSentence(int row) const {
    const ChoiceRow& choice = m_rows[static_cast<std::size_t>(row)];
    QString who;
    if (row == 0)
        who += QStringLiteral(", beste Wahl");
    if (m_players == static_cast<std::size_t>(row))
        who += QStringLiteral(", deine Wahl");
    return QStringLiteral("Rang %1%2: %3, erwartete Endsumme %4, Verlust %5, diese Runde %6, "
                          "Bonus oben %7, Bonus unten %8, Runde endet: %9")
        .arg(QString::number(choice.rank), who, cellText(row, Choice), cellText(row, Total),
             cellText(row, Loss), cellText(row, ThisTurn), cellText(row, Upper),
             cellText(row, Lower), cellText(row, Endings));
}

QVariant ChoiceTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const int row = index.row();
    const ChoiceRow& choice = m_rows[static_cast<std::size_t>(row)];
    const bool best = row == 0;
    switch (role) {
    case Qt::DisplayRole:
        // The bar speaks for the endings; its figures are in the tooltip.
        return index.column() == Endings ? QVariant() : QVariant(cellText(row, index.column()));
    case Qt::AccessibleTextRole:
        return rowSentence(row);
    case Qt::ToolTipRole:
        return index.column() == Endings
                   ? QStringLiteral("Runde endet: %1").arg(cellText(row, Endings))
                   : QVariant(rowSentence(row));
    case Qt::AccessibleDescriptionRole:
        return index.column() == Endings ? QVariant(cellText(row, Endings)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == Choice ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                        : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (best) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case HoldRole:
        if (choice.choice.enters())
            return {};
        return QVariant::fromValue(
            QList<int>(choice.choice.hold.begin(), choice.choice.hold.end()));
    case BarsRole:
        return index.column() == Endings
                   ? QVariant::fromValue(ChanceBars{endingsBar(choice.outlook)})
                   : QVariant();
    case BestRole:
        return best;
    case PlayersRole:
        return m_players == static_cast<std::size_t>(row);
    }
    return {};
}

QVariant ChoiceTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(kHeaders[section][0]);
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
        return QString::fromUtf8(kHeaders[section][1]);
    return {};
}

} // namespace kubiq
