// The baseline of start-up: a bare window of the program's size with one label and one button,
// started like the program and ended, as it is, by first_frame.cpp.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.kubiq"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("KUBIQ"));
    window.setFixedSize(513, 409);
    auto* label = new QLabel(QStringLiteral("Würfel"), &window);
    label->setGeometry(16, 16, 200, 24);
    auto* button = new QPushButton(QStringLiteral("Würfeln"), &window);
    button->setGeometry(16, 136, 233, 33);
    window.show();
    return app.exec();
}
