#pragma once

#include <QString>

#include <functional>

class QDialog;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace kubiq {

// The coach's dialogs that read a code: a window of their own beside the game, never blocking
// it, in the game's colours.
void prepareCodeDialog(QDialog* dialog, const char* name, const QString& title);

// The row where a code is pasted, and the line below it that says what is wrong with one.
struct CodeEntry {
    QLineEdit* field = nullptr;
    QLabel* problem = nullptr; // hidden until told
};
struct CodeEntryTexts {
    QString label;       // with its access key: "&Code:"
    const char* field;   // the field's name, also spoken
    QString placeholder; // "K1-…"
    int width;           // in characters
    const char* button;  // the button's name
    QString read;        // its text: "Code &lesen"
};
// Adds the row and the line to `layout`; the button and Return call `read`.
CodeEntry addCodeEntry(QDialog* dialog, QVBoxLayout* layout, const CodeEntryTexts& texts,
                       std::function<void()> read);

} // namespace kubiq
