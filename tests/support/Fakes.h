#pragma once

#include "platform/Beeper.h"
#include "platform/Clipboard.h"
#include "platform/HotKeys.h"
#include "platform/Prompt.h"
#include "platform/WaitCursor.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

class QWidget;

// Records every box the program shows and answers questions as scripted
// (No when nothing is scripted).
class FakePrompt : public Prompt
{
public:
    void ShowMessage(const QString &text, const QString &title = QString()) override;
    bool AskYesNo(const QString &text, const QString &title = QString()) override;

    QStringList m_texts;     // every text, messages and questions, in order
    QStringList m_titles;    // the title given with each, empty when none
    QStringList m_questions; // the questions alone
    std::deque<bool> m_answers;
};

class FakeBeeper : public Beeper
{
public:
    void Beep() override { ++m_nBeeps; }
    int m_nBeeps = 0;
};

// A clipboard in memory that can refuse to open or to be emptied.
class FakeClipboard : public Clipboard
{
public:
    bool Open() override;
    bool Empty() override;
    bool SetUnicodeText(const std::u16string &text) override;
    bool IsUnicodeTextAvailable() const override { return m_bHasText; }
    std::optional<std::u16string> GetUnicodeText() override;
    void Close() override;

    std::optional<std::u16string> GetSelectionText() override { return m_selection; }
    void SetSelectionText(const std::u16string &text) override { m_selection = text; }

    void SetText(const std::u16string &text)
    {
        m_text = text;
        m_bHasText = true;
    }

    bool m_bRefuseOpen = false;
    bool m_bRefuseEmpty = false;
    bool m_bOpen = false;
    bool m_bHasText = false;
    std::u16string m_text;
    std::optional<std::u16string> m_selection; // the X primary selection
    int m_nOpens = 0;
    int m_nCloses = 0;
};

// Counts like the real one and shows nothing.
class FakeWaitCursor : public WaitCursor
{
};

// Records every registration and unregistration, and keeps the hot keys that
// stand registered. Both calls succeed unless told otherwise.
class FakeHotKeys : public HotKeyService
{
public:
    struct Call {
        bool bRegister;
        QWidget *window;
        int id;
        unsigned modifiers;
        unsigned virtualKey;
    };

    bool Register(QWidget *window, int id, unsigned modifiers, unsigned virtualKey) override;
    bool Unregister(QWidget *window, int id) override;
    // The virtual key registered under the id, or 0.
    unsigned RegisteredKey(int id) const;

    std::vector<Call> m_calls;
    std::vector<Call> m_registered;
    bool m_bRefuseRegister = false;
};
