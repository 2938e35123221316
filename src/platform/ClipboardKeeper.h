#pragma once

// On X11 the clipboard's text lives in the program that put it there: when
// that program ends, the text is gone unless a clipboard manager takes it
// over. So that the text the user copied, or that Copy On Exit put there, is
// still there to paste after Quorlex ends, a small process of its own (no Qt,
// its own connection to the server) takes the clipboard over at the end and
// hands the text out until another program puts something on the clipboard.
// Nothing is done on other platforms, when Quorlex does not own the
// clipboard, or when a clipboard manager runs (Qt hands the text to it).
namespace Platform {
void KeepClipboardAfterExit();
}
