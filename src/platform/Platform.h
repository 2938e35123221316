#pragma once

#include <QString>

class Beeper;
class Clipboard;
class HotKeyService;
class Prompt;
class WaitCursor;

// The services the program asks of its platform. Each one is the desktop's by
// default; tests put their fakes in place and take them out again with nullptr.
namespace Platform {
Prompt &GetPrompt();
Beeper &GetBeeper();
Clipboard &GetClipboard();
WaitCursor &GetWaitCursor();
HotKeyService &GetHotKeys();

void SetPrompt(Prompt *prompt);
void SetBeeper(Beeper *beeper);
void SetClipboard(Clipboard *clipboard);
void SetWaitCursor(WaitCursor *cursor);
void SetHotKeys(HotKeyService *hotKeys);

// The handheld's calls, as the program's code makes them.
void MessageBox(const QString &text, const QString &title = QString());
bool AskYesNo(const QString &text, const QString &title = QString());
void MessageBeep();
}
