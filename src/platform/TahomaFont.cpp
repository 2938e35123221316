#include "platform/TahomaFont.h"

#include <QFileInfo>
#include <QFontDatabase>

int RegisterTahoma(const QString &folder)
{
    int registered = 0;
    for (const char *file : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(file);
        // A missing file costs one stat, not a failed font load.
        if (QFileInfo::exists(path) && QFontDatabase::addApplicationFont(path) >= 0)
            ++registered;
    }
    return registered;
}
