#pragma once

#include "form1.h"
#include "scripted_services.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kubiq::test {

// A dark colour scheme on the application while it lives, as a dark desktop sets one: light
// text on dark grey faces and black boxes.
class DarkDesktop {
public:
    DarkDesktop() : m_saved(QApplication::palette()) {
        QApplication::setPalette(QPalette(QColor(53, 53, 53)));
        QCoreApplication::processEvents(); // every widget hears of the change
    }
    ~DarkDesktop() {
        QApplication::setPalette(m_saved);
        QCoreApplication::processEvents();
    }
    DarkDesktop(const DarkDesktop&) = delete;
    DarkDesktop& operator=(const DarkDesktop&) = delete;

private:
    QPalette m_saved;
};

// The real window on scripted services, shown on the offscreen platform. Every roll takes one
// pass unless a test shortens the clock's step.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename T = QWidget> T* control(const QString& name) const {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static QString indexed(const char* name, int index) {
        return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
    }
    QLabel* die(int i) const { return control<QLabel>(indexed("LabelWAnzeige", i)); }
    QPushButton* holdButton(int i) const {
        return control<QPushButton>(indexed("CommandWHalten", i));
    }
    QPushButton* categoryButton(int c) const {
        return control<QPushButton>(indexed("ComandPHalten", c));
    }
    QLabel* tip(int c) const { return control<QLabel>(indexed("LabelTip", c)); }
    QLabel* cell(int n) const { return control<QLabel>(indexed("LabelPunkte", n)); }
    QLabel* cell(SumCell s) const { return cell(static_cast<int>(s)); }
    QPushButton* rollButton() const {
        return control<QPushButton>(QStringLiteral("CommandWuerfeln"));
    }

    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    // Clicks the roll button; the free dice, in die order, take the given faces.
    void roll(std::string_view faces) {
        draws.scriptFaces(faces);
        click(rollButton());
    }
    void turn(std::string_view faces, int category) {
        roll(faces);
        click(categoryButton(category));
    }
    // The dice as shown, blank ones as '.'.
    std::string faces() const {
        std::string shown;
        for (int i = 0; i < kDiceCount; ++i) {
            const QString text = die(i)->text();
            shown += text.isEmpty() ? '.' : text.at(0).toLatin1();
        }
        return shown;
    }
    bool isRed(int i) const {
        return die(i)->palette().color(QPalette::Window) == QColor(255, 0, 0);
    }
    bool isBlack(int i) const {
        return die(i)->palette().color(QPalette::Window) == QColor(0, 0, 0);
    }

    ScriptedClock clock;
    ScriptedDraws draws;
    RecordingBeeper beeper;
    RecordingMessageBox messageBox;
    ScriptedPacer pacer;
    Form1 window{WindowServices{clock, draws, beeper, messageBox, pacer, {KUBIQ_COACH_TABLE}}};
};

} // namespace kubiq::test
