#include "code_entry.h"

#include "coach_lines.h"
#include "design_palette.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kubiq {

void prepareCodeDialog(QDialog* dialog, const char* name, const QString& title) {
    dialog->setObjectName(QLatin1String(name));
    dialog->setWindowTitle(title);
    dialog->setAccessibleName(title);
    dialog->setPalette(designPalette());
    dialog->setModal(false);
}

CodeEntry addCodeEntry(QDialog* dialog, QVBoxLayout* layout, const CodeEntryTexts& texts,
                       std::function<void()> read) {
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    auto* label = new QLabel(texts.label, dialog);
    row->addWidget(label);
    CodeEntry entry;
    entry.field = new QLineEdit(dialog);
    entry.field->setObjectName(QLatin1String(texts.field));
    entry.field->setAccessibleName(QLatin1String(texts.field));
    entry.field->setPlaceholderText(texts.placeholder);
    entry.field->setMinimumWidth(entry.field->fontMetrics().horizontalAdvance(QLatin1Char('W')) *
                                 texts.width);
    label->setBuddy(entry.field);
    row->addWidget(entry.field, 1);
    auto* button = new QPushButton(texts.read, dialog);
    button->setObjectName(QLatin1String(texts.button));
    button->setAutoDefault(false);
    row->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, dialog, read);
    QObject::connect(entry.field, &QLineEdit::returnPressed, dialog, read);
    entry.problem = addLine(dialog, layout, "Problem");
    entry.problem->hide();
    return entry;
}

} // namespace kubiq
