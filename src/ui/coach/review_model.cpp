#include "review_model.h"

#include "coach_texts.h"
#include "slip_marks.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>

namespace kubiq {

namespace {

QString facesOf(const ReviewStep& step, bool sorted) {
    std::array<int, kDiceCount> faces = step.faces;
    if (sorted)
        std::sort(faces.begin(), faces.end());
    QString text;
    for (int face : faces)
        text += QString::number(face);
    return text;
}

// The dice a decision to roll again held; none on a roll or an entry.
QString heldOf(const ReviewStep& step) {
    const bool holds = step.kind == ReviewStep::Kind::Decision && !step.chosen.enters();
    QString text;
    for (bool held : step.board.held)
        text += holds && held ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

} // namespace

void ReviewModel::showReview(const GameReview& review, const Reasons& reasons) {
    beginResetModel();
    m_review = &review;
    m_reasons = &reasons;
    m_decision.clear();
    int decision = 0;
    for (const ReviewStep& step : review.steps)
        m_decision.push_back(step.kind == ReviewStep::Kind::Decision ? decision++ : -1);
    endResetModel();
}

const Explanation* ReviewModel::reason(int row) const {
    if (row < 0 || row >= rowCount() || step(row).isBest())
        return nullptr;
    const int decision = m_decision[static_cast<std::size_t>(row)];
    if (decision < 0 || decision >= static_cast<int>(m_reasons->size()))
        return nullptr;
    const std::optional<Explanation>& why = (*m_reasons)[static_cast<std::size_t>(decision)];
    return why ? &*why : nullptr;
}

bool ReviewModel::isMarked(int row) const {
    return row >= 0 && row < rowCount() && slipOf(step(row).cost()) != Slip::None;
}

std::optional<int> ReviewModel::nextMarked(int row, int direction) const {
    for (int at = row + direction; at >= 0 && at < rowCount(); at += direction)
        if (isMarked(at))
            return at;
    return std::nullopt;
}

int ReviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || m_review == nullptr ? 0 : static_cast<int>(m_review->steps.size());
}

int ReviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ReviewModel::display(const ReviewStep& step, int column) const {
    const bool decides = step.kind == ReviewStep::Kind::Decision;
    switch (column) {
    case Turn:
        return step.turn;
    case Roll:
        return step.roll;
    case Dice: {
        QStringList faces;
        for (const QChar face : facesOf(step, true))
            faces << QString(face);
        return faces.join(QLatin1Char(' '));
    }
    case Chosen:
        return decides ? choiceText(step.chosen) : QString();
    case Best:
        // A choice as good as the best is one of the best.
        return decides ? choiceText(step.isBest() ? step.chosen : step.best) : QString();
    case Loss:
        if (!decides)
            return QString();
        return step.isBest() ? QStringLiteral("—") : coachNumber(-step.cost());
    case Luck:
        return decides ? QString() : luckText(step.luck());
    }
    return {};
}

QVariant ReviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ReviewStep& shown = step(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return display(shown, index.column());
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return stepLine(shown);
    case Qt::TextAlignmentRole:
        return static_cast<int>(index.column() == Chosen || index.column() == Best
                                    ? Qt::AlignLeft | Qt::AlignVCenter
                                    : Qt::AlignRight | Qt::AlignVCenter);
    case kFacesRole:
        return facesOf(shown, false);
    case kHeldRole:
        return heldOf(shown);
    case kSlipRole:
        return static_cast<int>(slipOf(shown.cost()));
    default:
        return {};
    }
}

QVariant ReviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    static const std::array<const char*, ColumnCount> titles{
        "Runde", "Wurf", "Würfel", "Wahl", "Beste Wahl", "Verlust", "Glück"};
    static const std::array<const char*, ColumnCount> legends{
        "Die Runde des Spiels, 1 bis 13",
        "Der Wurf der Runde, 1 bis 3",
        "Die Würfel des Wurfs, aufsteigend",
        "Was du gewählt hast: die gehaltenen Würfel oder die Kategorie",
        "Die beste Wahl auf diesem Brett",
        nullptr, // the marks' legend, below
        "Wie der Wurf die erwartete Endsumme änderte"};
    if (section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(titles[static_cast<std::size_t>(section)]);
    if (role != Qt::ToolTipRole && role != Qt::AccessibleDescriptionRole)
        return {};
    if (section != Loss)
        return QString::fromUtf8(legends[static_cast<std::size_t>(section)]);
    QStringList marks;
    for (const auto& [slip, from] : {std::pair{Slip::Inaccuracy, kInaccuracy},
                                     {Slip::Mistake, kMistake},
                                     {Slip::Blunder, kBlunder}})
        marks << QStringLiteral("%1 %2 ab %3")
                     .arg(slipGlyph(slip), slipWord(slip), coachNumber(from));
    return QStringLiteral("Was die Wahl gegen die beste kostete, „—“ für die beste. Marken: %1")
        .arg(marks.join(QStringLiteral(", ")));
    return {};
}

} // namespace kubiq
