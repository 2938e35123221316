// The least a Qt Widgets program of this size does to show its window: the
// yardstick for the program's own start-up time and memory.
#include <QApplication>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>

namespace {
class FirstPaintQuits : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override { QTimer::singleShot(0, qApp, &QApplication::quit); }
};
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaintQuits window;
    window.setWindowTitle(QStringLiteral("Quorlex"));
    window.setFixedSize(240, 320);
    window.show();
    return app.exec();
}
