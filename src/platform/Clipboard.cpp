#include "platform/Clipboard.h"

#include "platform/Utf16Text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool SystemClipboard::Open()
{
    if (m_bOpen)
        return false;
    m_bOpen = QGuiApplication::clipboard() != nullptr;
    return m_bOpen;
}

bool SystemClipboard::Empty()
{
    if (!m_bOpen)
        return false;
    QGuiApplication::clipboard()->clear();
    return true;
}

bool SystemClipboard::SetUnicodeText(const std::u16string &text)
{
    if (!m_bOpen)
        return false;
    QGuiApplication::clipboard()->setText(QStringOfUnits(text));
    return true;
}

bool SystemClipboard::IsUnicodeTextAvailable() const
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

std::optional<std::u16string> SystemClipboard::GetUnicodeText()
{
    if (!m_bOpen || !IsUnicodeTextAvailable())
        return std::nullopt;
    return QGuiApplication::clipboard()->text().toStdU16String();
}

void SystemClipboard::Close()
{
    m_bOpen = false;
}
