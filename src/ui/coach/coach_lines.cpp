#include "coach_lines.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>

namespace kubiq {

QLabel* addLine(QWidget* parent, QBoxLayout* layout, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFocusPolicy(Qt::TabFocus);
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

void setLine(QLabel* line, const QString& text) {
    if (line->text() != text)
        line->setText(text);
    if (line->accessibleName() != text)
        line->setAccessibleName(text);
    line->show();
}

QListWidget* addList(QWidget* parent, QBoxLayout* layout, const char* name, const QString& spoken) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(spoken);
    // Long rows wrap within the coach's narrow window rather than hide their ends.
    list->setWordWrap(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setResizeMode(QListView::Adjust);
    list->hide();
    layout->addWidget(list, 1);
    return list;
}

void setRows(QListWidget* list, const QStringList& rows) {
    bool same = list->count() == rows.size();
    for (int i = 0; same && i < rows.size(); ++i)
        same = list->item(i)->text() == rows[i];
    if (!same) {
        list->clear();
        list->addItems(rows);
        if (!rows.isEmpty())
            list->setCurrentRow(0);
    }
    list->setVisible(!rows.isEmpty());
}

} // namespace kubiq
