// text_line TEXT [die]: TEXT in a label of its own, in a window titled "Text", in the game's face
// and colours, or with "die" as a die shows its face: the picture the checks under Wine look for
// in the game's windows. Built like the game, it draws through the same Qt, the same font and
// the same Wine. In the browser, which passes a program no arguments, TEXT and "die" come from
// the environment: TEXT_LINE and TEXT_LINE_DIE.
#include "design_font.h"
#include "design_palette.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setFont(kubiq::designFont());
    const QStringList arguments = QApplication::arguments();
    const bool fromEnvironment = arguments.size() < 2;
    QLabel label(fromEnvironment ? qEnvironmentVariable("TEXT_LINE") : arguments.value(1));
    QPalette palette = kubiq::designPalette();
    if ((fromEnvironment ? qEnvironmentVariable("TEXT_LINE_DIE") : arguments.value(2)) ==
        QLatin1String("die")) {
        label.setFont(kubiq::designFont(24, true)); // as Form1 sets up LabelWAnzeige
        palette.setColor(QPalette::Window, Qt::black);
        palette.setColor(QPalette::WindowText, Qt::white);
    }
    label.setPalette(palette);
    label.setWindowTitle(QStringLiteral("Text"));
    label.setMargin(8);
    label.show();
    return app.exec();
}
