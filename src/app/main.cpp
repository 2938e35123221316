#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget screen;
    screen.setWindowTitle(QStringLiteral("Quorlex"));
    screen.setFixedSize(240, 320);
    screen.show();
    return app.exec();
}
