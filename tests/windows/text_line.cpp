// text_line TEXT [LOOK...]: TEXT in a label of its own, in a window titled "Text", in the game's
// face and colours: the picture the checks under Wine and in the browser look for in the game's
// windows. Each LOOK changes it:
//   die        as a die shows its face;
//   total      as the coach's headline shows the expected final TOTAL;
//   #c0c0c0    on that ground, as a text box or the coach's page has it: a glyph's soft edges
//              take on the colour behind them.
// Built like the game, it draws through the same Qt, the same font and the same Wine. In the
// browser, which passes a program no arguments, TEXT comes from the environment as TEXT_LINE,
// the looks as TEXT_LINE_LOOK, separated by blanks.
#include "board_headline.h"
#include "design_font.h"
#include "design_palette.h"

#include <QApplication>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setFont(kubiq::designFont());
    QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2)
        arguments = QStringList{arguments.value(0), qEnvironmentVariable("TEXT_LINE")} +
                    qEnvironmentVariable("TEXT_LINE_LOOK").split(u' ', Qt::SkipEmptyParts);
    auto label = std::make_unique<QLabel>(arguments.value(1));
    QPalette palette = kubiq::designPalette();
    bool total = false;
    for (const QString& look : arguments.mid(2)) {
        if (look == QLatin1String("die")) {
            label->setFont(kubiq::designFont(24, true)); // as Form1 sets up LabelWAnzeige
            palette.setColor(QPalette::Window, Qt::black);
            palette.setColor(QPalette::WindowText, Qt::white);
        } else if (look == QLatin1String("total")) {
            const kubiq::BoardHeadline headline;
            label->setFont(headline.findChild<QLabel*>(QStringLiteral("Erwartet"))->font());
            total = true;
        } else if (QColor::isValidColor(look)) {
            palette.setColor(QPalette::Window, QColor(look));
        }
    }
    label->setPalette(palette);
    label->setMargin(8);
    // The coach's headline stands on a page of tabs, whose ground the style draws; there the
    // figure's soft edges blend otherwise than on a window of its own (under Wine darker, as by
    // a gamma of about 2.3), so the figure is drawn on such a page too.
    QTabWidget tabs;
    QWidget* window = label.get();
    if (total) {
        auto* page = new QWidget;
        (new QVBoxLayout(page))->addWidget(label.release());
        tabs.addTab(page, QString());
        tabs.tabBar()->hide();
        tabs.setPalette(kubiq::designPalette());
        window = &tabs;
    }
    window->setWindowTitle(QStringLiteral("Text"));
    window->show();
    return app.exec();
}
