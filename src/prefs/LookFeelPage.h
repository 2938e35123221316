#pragma once

#include "prefs/PrefsPage.h"

// The first page of the preference sheet. For now it carries only its header
// and Cancel; its skin, key map, layout and font choices come with their own
// controls.
class CLookFeelPage : public CPrefsPage
{
public:
    CLookFeelPage();
};
