#pragma once

#include "board_analysis.h"
#include "chance_marks.h"

#include <QAbstractTableModel>

#include <optional>

namespace kubiq {

// The table of choices on a board, one row a choice, best first: its rank, the choice, the
// expected final TOTAL, the loss against the best, this turn's expected points, the two bonus
// chances and how the turn ends. Each cell's accessible text is its whole row in one sentence,
// so that a screen reader reads a row as one; the headers' tooltips are the legend.
class ChoiceTableModel final : public QAbstractTableModel {
public:
    enum Column { Rank, Choice, Total, Loss, ThisTurn, Upper, Lower, Endings, ColumnCount };
    enum Role {
        HoldRole = Qt::UserRole + 1, // the faces a hold keeps (QList<int>); nothing for an entry
        BarsRole,                    // the turn's endings as ChanceBars, in the column Endings
        BestRole,                    // true on the best row
        PlayersRole,                 // true on the row of the player's current choice
    };

    explicit ChoiceTableModel(QObject* parent = nullptr);

    // The rows of this analysis; nothing empties the table.
    void showAnalysis(const BoardAnalysis* analysis);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Row `row` as a screen reader says it: "Rang 2: 6 6 halten, erwartete Endsumme 243,1,
    // Verlust −0,4, diese Runde 24,3, Bonus oben 68 %, Bonus unten 40 %, Runde endet: …".
    QString rowSentence(int row) const;

private:
    QString cellText(int row, int column) const;

    std::vector<ChoiceRow> m_rows;
    std::optional<std::size_t> m_players;
};

// The turn's endings as one bar: the likeliest three, then the rest as one part.
ChanceBar endingsBar(const TurnOutlook& outlook);

} // namespace kubiq
