#include "qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kubiq {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void QtMessageBox::information(std::string_view title, std::string_view text) {
    QMessageBox box(QMessageBox::Information, fromUtf8(title),
                    fromUtf8(text).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setPalette(m_palette); // a dialog takes no colours from the window it stands over
    box.exec();
}

} // namespace kubiq

namespace kubiq {

bool QtMessageBox::question(std::string_view title, std::string_view text) {
    QMessageBox box(QMessageBox::Question, fromUtf8(title), fromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    box.setDefaultButton(QMessageBox::No); // Enter keeps the game as it is
    box.setEscapeButton(QMessageBox::No);
    box.setPalette(m_palette);
    return box.exec() == QMessageBox::Yes;
}

} // namespace kubiq
