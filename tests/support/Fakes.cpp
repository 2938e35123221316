#include "support/Fakes.h"

#include <algorithm>

void FakePrompt::ShowMessage(const QString &text, const QString &title)
{
    m_texts << text;
    m_titles << title;
}

bool FakePrompt::AskYesNo(const QString &text, const QString &title)
{
    ShowMessage(text, title);
    m_questions << text;
    if (m_answers.empty())
        return false;
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

bool FakeClipboard::Open()
{
    ++m_nOpens;
    if (m_bRefuseOpen || m_bOpen)
        return false;
    m_bOpen = true;
    return true;
}

bool FakeClipboard::Empty()
{
    if (!m_bOpen || m_bRefuseEmpty)
        return false;
    m_text.clear();
    m_bHasText = false;
    return true;
}

bool FakeClipboard::SetUnicodeText(const std::u16string &text)
{
    if (!m_bOpen)
        return false;
    SetText(text);
    return true;
}

std::optional<std::u16string> FakeClipboard::GetUnicodeText()
{
    if (!m_bOpen || !m_bHasText)
        return std::nullopt;
    return m_text;
}

void FakeClipboard::Close()
{
    ++m_nCloses;
    m_bOpen = false;
}

bool FakeHotKeys::Register(QWidget *window, int id, unsigned modifiers, unsigned virtualKey)
{
    m_calls.push_back({true, window, id, modifiers, virtualKey});
    if (m_bRefuseRegister)
        return false;
    std::erase_if(m_registered, [&](const Call &call) { return call.window == window && call.id == id; });
    m_registered.push_back(m_calls.back());
    return true;
}

bool FakeHotKeys::Unregister(QWidget *window, int id)
{
    m_calls.push_back({false, window, id, 0, 0});
    return std::erase_if(m_registered, [&](const Call &call) { return call.window == window && call.id == id; }) > 0;
}

unsigned FakeHotKeys::RegisteredKey(int id) const
{
    const auto found =
        std::find_if(m_registered.begin(), m_registered.end(), [&](const Call &call) { return call.id == id; });
    return found == m_registered.end() ? 0 : found->virtualKey;
}
