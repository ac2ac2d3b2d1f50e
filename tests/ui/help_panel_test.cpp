#include "help_text.h"
#include "window_fixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QXmlStreamReader>

#include <sstream>
#include <vector>

namespace kubiq::test {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the text ends with CR LF";
    return lines;
}

TEST(HelpText, TheTwentyLinesThenTheHistory) {
    const std::vector<std::string> lines = linesOf(helpText(""));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "KUBIQ  V1.2");
    for (int blank : {4, 6, 17})
        EXPECT_EQ(lines[blank], "") << "line " << blank + 1;
    EXPECT_EQ(lines[7], "Diese Programm ist die Umsetzung des bekannten Würfelspieles.");
    EXPECT_EQ(lines[8],
              "Wenn Sie auf 'Würfeln' klicken, werden diese gemischt. Dann können Sie durch Klick "
              "auf 'halten' unterhalb des jeweiligen Würfels den Würfel halten, d.h. beim nächsten "
              "Würfeln wird er nicht mitgewürfelt. Das Halten können Sie beliebig aktivieren und "
              "deaktivieren. Ein roter Würfelhintergrund zeigt an, daß der Würfel gehalten ist. "
              "Das Ziel ist, nach max. 3 Würfelrunden eine bestimmte Augenkombination zu "
              "erreichen:");
    EXPECT_EQ(lines[9], "   'Einer, Zweier, ...': Möglichst viele Einer, Zweier, ...");
    EXPECT_EQ(lines[10],
              "   'Dreierpasch, Viererpasch': 3 bzw. 4 gleiche mit möglichst hoher Augenzahl");
    EXPECT_EQ(lines[11], "   'Fullhouse': 2 gleiche plus 3 gleiche");
    EXPECT_EQ(lines[12], "   'Kl. bzw. Gr. Straße': 4 bzw. 5 Würfel in aufsteigender Reihenfolge");
    EXPECT_EQ(lines[13], "   'Kubiq': 5 gleiche mit beliebiger Augenzahl");
    EXPECT_EQ(lines[14], "   'Chance': Beliebige Augenzahlen, die addiert werden");
    EXPECT_EQ(lines[15],
              "Unter 'Tip' steht die erreichbare Punktezahl der im Moment liegenden Würfel. Wenn "
              "Sie nun bei den Punkten auf 'halten' klicken, wählen Sie damit den aktuellen "
              "Würfelstand und die entsprechenden Punkte werden in die Liste eingetragen. Nach 3 "
              "Würfelversuchen MÜSSEN Sie wählen.");
    EXPECT_EQ(lines[16],
              "Wenn Sie in der oberen Hälfte 65 Punkte und in der unteren 200 Punkte erreichen, "
              "bekommen Sie jeweils noch Bonuspunkte. Wenn alle möglichen Listenpunkte gewählt "
              "wurden, ist eine Spielrunde beendet. Dann können Sie sich hier den Spielstand "
              "ansehen.");
    EXPECT_EQ(lines[18], "Spielstand:");
    EXPECT_EQ(lines[19], std::string(60, '-'));

    const std::string history =
        "1. Spiel: 230 Punkte\r\nPunkte gesamt: 230\r\nDurchschnitt: 230\r\n";
    EXPECT_EQ(helpText(history), helpText("") + history) << "the history follows, unchanged";
}

// A file of the source tree, whole.
QString sourceFile(const char* path) {
    QFile file(QStringLiteral(KUBIQ_SOURCE_DIR "/") + QLatin1String(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

// The text of the metainfo's first `element`, of the given type attribute if one is given.
std::string metainfo(const QString& xml, QStringView element, QStringView type = {}) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == element &&
            (type.isEmpty() || reader.attributes().value(QLatin1String("type")) == type))
            return reader.readElementText().toStdString();
    }
    ADD_FAILURE() << "no " << element.toString().toStdString() << " in the metainfo";
    return {};
}

TEST(HelpText, TheCreditsSayWhatTheLicenceAndTheMetainfoSay) {
    const std::vector<std::string> lines = linesOf(helpText(""));
    ASSERT_EQ(lines.size(), 20u);
    const QString xml = sourceFile("packaging/org.example.kubiq.metainfo.xml");
    // "MIT License" … "Copyright (c) 2026 The KUBIQ authors"
    const QString licenceText = sourceFile("LICENSE");
    const std::string licence = licenceText.section(QLatin1Char(' '), 0, 0).toStdString();
    const QRegularExpressionMatch holder =
        QRegularExpression(QStringLiteral(R"(Copyright \(c\) \d+ The (\S+) authors)"))
            .match(licenceText);
    ASSERT_TRUE(holder.hasMatch());
    const std::string authors = holder.captured(1).toStdString();

    EXPECT_EQ(metainfo(xml, u"project_license"), licence);
    EXPECT_EQ(metainfo(xml, u"developer_name"), "The " + authors + " authors");
    EXPECT_EQ(lines[1], "Ein Spiel der " + authors + "-Autoren");
    EXPECT_EQ(lines[2], "Kontakt: " + metainfo(xml, u"update_contact"));
    EXPECT_EQ(lines[3], "Web: " + metainfo(xml, u"url", u"homepage"));
    EXPECT_EQ(lines[5], "Freie Software unter der " + licence + "-Lizenz");
}

TEST(HelpText, TheLongLinesAreJoinedWithSingleBlanks) {
    const std::string text = helpText("");
    EXPECT_EQ(text.find("  ", text.find("\r\n")), text.find("   'Einer")) << "no double blank";
    EXPECT_NE(text.find("durch Klick auf 'halten' unterhalb des jeweiligen Würfels"),
              std::string::npos);
    EXPECT_NE(text.find("Das Halten können Sie beliebig aktivieren"), std::string::npos);
    EXPECT_NE(text.find("daß der Würfel gehalten ist. Das Ziel ist, nach max. 3 Würfelrunden eine "
                        "bestimmte"),
              std::string::npos);
}

using HelpPanelTest = WindowTest;

TEST_F(HelpPanelTest, OpeningShowsTheTextAndOnlyThePanel) {
    click(control(QStringLiteral("CommandHelp")));
    auto* box = control<QPlainTextEdit>(QStringLiteral("TextSpielstand"));
    QString expected = QString::fromStdString(helpText(""));
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(box->toPlainText(), expected);
    EXPECT_TRUE(box->toPlainText().endsWith(QString(60, QLatin1Char('-')) + QLatin1Char('\n')));
    EXPECT_TRUE(control(QStringLiteral("Frame3"))->isVisible());
    EXPECT_TRUE(control(QStringLiteral("CommandOK"))->isVisible());
    for (const char* hidden : {"Frame1", "Frame2", "CommandHelp", "CommandExit"})
        EXPECT_FALSE(control(QLatin1String(hidden))->isVisible()) << hidden;

    EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(box->isReadOnly());
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(192, 192, 192));
}

TEST_F(HelpPanelTest, TheGameIsUnchangedAfterOK) {
    roll("33355");
    click(holdButton(1));
    roll("2222");
    turn("61166", Chance); // Versuch back to 1, a score on the sheet
    roll("44444");
    click(holdButton(4));

    const auto snapshot = [&] {
        std::ostringstream s;
        for (QWidget* w : window.findChildren<QWidget*>()) {
            s << w->objectName().toStdString() << ' ' << w->isEnabled() << ' ' << w->isVisible();
            if (auto* label = qobject_cast<QLabel*>(w))
                s << " '" << label->text().toStdString() << "' "
                  << label->palette().color(QPalette::Window).name().toStdString();
            if (auto* button = qobject_cast<QPushButton*>(w))
                s << " '" << button->text().toStdString() << "'";
            s << '\n';
        }
        s << window.Versuch() << ' ' << window.Runde();
        return s.str();
    };
    const std::string before = snapshot();
    click(control(QStringLiteral("CommandHelp")));
    click(control(QStringLiteral("CommandOK")));
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(isRed(4));
}

TEST_F(HelpPanelTest, EachOpeningReplacesTheTextWithTheCurrentHistory) {
    auto* box = control<QPlainTextEdit>(QStringLiteral("TextSpielstand"));
    click(control(QStringLiteral("CommandHelp")));
    const QString first = box->toPlainText();
    box->appendPlainText(QStringLiteral("vom Spieler getippt"));
    click(control(QStringLiteral("CommandOK")));
    EXPECT_TRUE(box->toPlainText().contains(QStringLiteral("getippt"))) << "closing keeps the text";
    click(control(QStringLiteral("CommandHelp")));
    EXPECT_EQ(box->toPlainText(), first) << "what the player typed is gone";
}

TEST_F(HelpPanelTest, AltKeysWorkOnlyInTheGameView) {
    QSignalSpy helpClicked(control<QPushButton>(QStringLiteral("CommandHelp")),
                           &QPushButton::clicked);
    QTest::keyClick(&window, Qt::Key_H, Qt::AltModifier);
    ASSERT_TRUE(helpClicked.wait(2000) || helpClicked.count() == 1);
    EXPECT_TRUE(control(QStringLiteral("Frame3"))->isVisible());

    // In the panel neither key does anything.
    QSignalSpy exitClicked(control<QPushButton>(QStringLiteral("CommandExit")),
                           &QPushButton::clicked);
    QTest::keyClick(&window, Qt::Key_E, Qt::AltModifier);
    QTest::keyClick(&window, Qt::Key_H, Qt::AltModifier);
    QTest::qWait(300);
    EXPECT_EQ(exitClicked.count(), 0);
    EXPECT_EQ(helpClicked.count(), 1);
    EXPECT_TRUE(window.isVisible());

    // Escape answers the panel like OK; in the game view Alt+E ends the program.
    QTest::keyClick(control(QStringLiteral("TextSpielstand")), Qt::Key_Escape);
    EXPECT_TRUE(control(QStringLiteral("Frame1"))->isVisible());
    QTest::keyClick(&window, Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(exitClicked.wait(2000) || exitClicked.count() == 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }));
}

TEST_F(HelpPanelTest, TheFocusNeverStaysOnAHiddenButton) {
    // Regression: opening the panel by Space left the focus on the hidden help button, so the
    // next Space clicked it, or after Tab the hidden "Ende" and ended the program.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* help = control<QPushButton>(QStringLiteral("CommandHelp"));
    help->setFocus();
    QTest::keyClick(help, Qt::Key_Space);
    ASSERT_TRUE(control(QStringLiteral("Frame3"))->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), control(QStringLiteral("TextSpielstand")));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control(QStringLiteral("CommandOK")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(control(QStringLiteral("Frame1"))->isVisible());
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_TRUE(QApplication::focusWidget()->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(HelpPanelTest, EnterStartsALineInTheTextBoxAndClosesThePanelElsewhere) {
    const struct {
        const char* why;
        const char* focus;
        Qt::Key key;
        bool closes;
    } rows[] = {
        {"Enter in the text box starts a new line", "TextSpielstand", Qt::Key_Return, false},
        {"Escape in the text box closes the panel", "TextSpielstand", Qt::Key_Escape, true},
        {"Enter on OK closes it", "CommandOK", Qt::Key_Return, true},
        {"and so does Enter on the keypad", "CommandOK", Qt::Key_Enter, true},
    };
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* box = control<QPlainTextEdit>(QStringLiteral("TextSpielstand"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        click(control(QStringLiteral("CommandHelp")));
        control(QLatin1String(row.focus))->setFocus();
        const qsizetype lines = box->toPlainText().count(QLatin1Char('\n'));
        QTest::keyClick(window.windowHandle(), row.key);
        EXPECT_EQ(control(QStringLiteral("Frame3"))->isVisible(), !row.closes);
        EXPECT_EQ(box->toPlainText().count(QLatin1Char('\n')), lines + (row.closes ? 0 : 1));
        if (!row.closes)
            click(control(QStringLiteral("CommandOK")));
    }
}

} // namespace
} // namespace kubiq::test
