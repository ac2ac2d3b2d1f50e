// The smallest Qt window, built like the game: what start-up under Wine is measured against.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.setFixedSize(513, 409);
    window.show();
    return app.exec();
}
