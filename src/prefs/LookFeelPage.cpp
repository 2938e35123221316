#include "prefs/LookFeelPage.h"

CLookFeelPage::CLookFeelPage()
    : CPrefsPage(QStringLiteral("Look And Feel"), QStringLiteral("Look && Feel"), QSize(136, 157))
{
}
