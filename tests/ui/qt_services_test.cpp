#include "qt_message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace kubiq {
namespace {

TEST(QtMessageBox, ShowsAModalInformationWithOneOKAndReturnsWhenAnswered) {
    struct Seen {
        bool found = false;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        bool modal = false;
    } seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        seen = {true,
                box->windowTitle(),
                box->text(),
                box->icon(),
                static_cast<int>(box->buttons().size()),
                box->isModal()};
        box->button(QMessageBox::Ok)->click();
    });
    QtMessageBox().information("Game Over",
                               "GAME OVER\r\nzweite Zeile\r\nEs folgt die nächste Runde.");
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, "Game Over");
    EXPECT_EQ(seen.text, "GAME OVER\nzweite Zeile\nEs folgt die nächste Runde.");
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.modal);
}

} // namespace
} // namespace kubiq
