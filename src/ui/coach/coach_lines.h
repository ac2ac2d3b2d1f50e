#pragma once

#include <QString>
#include <QStringList>

class QBoxLayout;
class QLabel;
class QListWidget;
class QWidget;

namespace kubiq {

// A line a screen reader reads and the keyboard can reach, named `name` for tests and tools.
QLabel* addLine(QWidget* parent, QBoxLayout* layout, const char* name);
// Shows the line with this text, its spoken name the same; unchanged texts are left alone, so
// that a screen reader hears only news.
void setLine(QLabel* line, const QString& text);

// A list of lines under a spoken name; Tab reaches it and the arrow keys its rows.
QListWidget* addList(QWidget* parent, QBoxLayout* layout, const char* name, const QString& spoken);
// Shows the list with these rows; no rows empty it and hide it, so that nothing of another
// board stays behind for a screen reader.
void setRows(QListWidget* list, const QStringList& rows);

} // namespace kubiq
