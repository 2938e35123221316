#include "platform/Platform.h"

#include "platform/Beeper.h"
#include "platform/Clipboard.h"
#include "platform/HotKeys.h"
#include "platform/Prompt.h"
#include "platform/WaitCursor.h"

namespace {
template <typename Service, typename Real>
struct Slot {
    Service *installed = nullptr;
    Service &Get()
    {
        if (installed)
            return *installed;
        static Real real;
        return real;
    }
};

Slot<Prompt, DialogPrompt> g_prompt;
Slot<Beeper, SystemBeeper> g_beeper;
Slot<Clipboard, SystemClipboard> g_clipboard;
Slot<WaitCursor, SystemWaitCursor> g_waitCursor;
Slot<HotKeyService, DesktopHotKeys> g_hotKeys;
}

namespace Platform {
Prompt &GetPrompt() { return g_prompt.Get(); }
Beeper &GetBeeper() { return g_beeper.Get(); }
Clipboard &GetClipboard() { return g_clipboard.Get(); }
WaitCursor &GetWaitCursor() { return g_waitCursor.Get(); }
HotKeyService &GetHotKeys() { return g_hotKeys.Get(); }

void SetPrompt(Prompt *prompt) { g_prompt.installed = prompt; }
void SetBeeper(Beeper *beeper) { g_beeper.installed = beeper; }
void SetClipboard(Clipboard *clipboard) { g_clipboard.installed = clipboard; }
void SetWaitCursor(WaitCursor *cursor) { g_waitCursor.installed = cursor; }
void SetHotKeys(HotKeyService *hotKeys) { g_hotKeys.installed = hotKeys; }

void MessageBox(const QString &text, const QString &title) { GetPrompt().ShowMessage(text, title); }
bool AskYesNo(const QString &text, const QString &title) { return GetPrompt().AskYesNo(text, title); }
void MessageBeep() { GetBeeper().Beep(); }
}
