#include "support/Fakes.h"

void FakePrompt::ShowMessage(const QString &text, const QString &title)
{
    m_texts << text;
    m_titles << title;
}

bool FakePrompt::AskYesNo(const QString &text, const QString &title)
{
    m_texts << text;
    m_titles << title;
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
