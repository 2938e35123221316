// Writes the program's icon for the desktop's icon theme as
// DIR/quorlex-SIZE.png: the 32 x 32 drawing itself and whole multiples of
// it, each pixel grown into a sharp square as the board's own pixels are.
//
//   make-icon DIR SIZE...
#include "prefs/ProgramIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3) {
        std::fputs("usage: make-icon DIR SIZE...\n", stderr);
        return 2;
    }
    const QDir folder(arguments.at(1));
    folder.mkpath(QStringLiteral("."));
    const QImage icon = ProgramIcon().toImage();
    for (const QString &argument : arguments.mid(2)) {
        const int size = argument.toInt();
        const QString path = folder.filePath(QStringLiteral("quorlex-%1.png").arg(size));
        const QImage image = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (size < icon.width() || size % icon.width() != 0 || !image.save(path)) {
            std::fprintf(stderr, "make-icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
