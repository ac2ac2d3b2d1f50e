#include "design_palette.h"
#include "qt_message_box.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kubiq {
namespace {

TEST(QtMessageBox, ShowsAModalInformationWithOneOKAndReturnsWhenAnswered) {
    const test::DarkDesktop dark;
    struct Seen {
        bool found = false;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        bool modal = false;
        QPalette labelColours, buttonColours;
    } seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        auto* label = box ? box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")) : nullptr;
        if (label == nullptr)
            return;
        seen = {true,
                box->windowTitle(),
                box->text(),
                box->icon(),
                static_cast<int>(box->buttons().size()),
                box->isModal(),
                label->palette(),
                box->button(QMessageBox::Ok)->palette()};
        box->button(QMessageBox::Ok)->click();
    });
    QtMessageBox(designPalette())
        .information("Game Over", "GAME OVER\r\nzweite Zeile\r\nEs folgt die nächste Runde.");
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, "Game Over");
    EXPECT_EQ(seen.text, "GAME OVER\nzweite Zeile\nEs folgt die nächste Runde.");
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.modal);
    // In the window's colours, not the dark desktop's.
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText})
        EXPECT_EQ(seen.labelColours.color(role), designPalette().color(role)) << role;
    for (QPalette::ColorRole role : {QPalette::Button, QPalette::ButtonText})
        EXPECT_EQ(seen.buttonColours.color(role), designPalette().color(role)) << role;
}

// The coach's question: "Ja" and "Nein", Nein at Enter and Escape, so that a key pressed in haste
// keeps the game as it is.
TEST(QtMessageBox, AsksWithJaAndNeinAndTakesEnterAndEscapeAsNein) {
    const struct {
        const char* name;
        std::function<void(QMessageBox*)> answer;
        bool wanted;
    } rows[] = {
        {"Ja clicked", [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); }, true},
        {"Nein clicked", [](QMessageBox* box) { box->button(QMessageBox::No)->click(); }, false},
        {"Enter", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }, false},
        {"Escape", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QStringList captions;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            for (QAbstractButton* button : box->buttons())
                captions << button->text();
            icon = box->icon();
            row.answer(box);
        });
        const bool answered =
            QtMessageBox(designPalette()).question("KUBIQ – Berater", "Trotzdem eintragen?");
        EXPECT_EQ(answered, row.wanted);
        captions.sort();
        EXPECT_EQ(captions, QStringList({"&Ja", "&Nein"}));
        EXPECT_EQ(icon, QMessageBox::Question);
    }
}

} // namespace
} // namespace kubiq
