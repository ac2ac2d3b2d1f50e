#include "accessible_names.h"

#include "sheet_rows.h"

namespace kubiq {

namespace {

QString spoken(Points points) {
    return points ? QString::number(*points) : QStringLiteral("leer");
}

QString row(int cell) {
    return QString::fromUtf8(spokenRow(cell));
}

} // namespace

QString dieName(int index, const Die& die) {
    QString name = QStringLiteral("Würfel %1: ").arg(index + 1);
    if (die.blank())
        return name + QStringLiteral("leer");
    name += QString::number(die.face);
    return die.held ? name + QStringLiteral(", gehalten") : name;
}

QString holdButtonName(int index) {
    return QStringLiteral("Würfel %1 halten").arg(index + 1);
}

QString categoryButtonName(int category) {
    return row(category) + QStringLiteral(" halten");
}

QString cellName(int cell, Points points) {
    return QStringLiteral("Punkte %1: %2").arg(row(cell), spoken(points));
}

QString tipName(int category, Points points) {
    return QStringLiteral("Tip %1: %2").arg(row(category), spoken(points));
}

} // namespace kubiq
