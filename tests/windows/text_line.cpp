// text_line TEXT: TEXT in a label of its own, in a window titled "Text", in the game's face and
// colours: the picture the checks under Wine look for in the game's windows. Built like the game,
// it draws through the same Qt, the same font and the same Wine.
#include "design_font.h"
#include "design_palette.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setFont(kubiq::designFont());
    QLabel label(QApplication::arguments().value(1));
    label.setPalette(kubiq::designPalette());
    label.setWindowTitle(QStringLiteral("Text"));
    label.setMargin(8);
    label.show();
    return app.exec();
}
