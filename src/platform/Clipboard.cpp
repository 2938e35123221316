#include "platform/Clipboard.h"

#include "platform/Utf16Text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {
// One question to the clipboard's owner. Each question waits out an owner
// that does not answer (five seconds on X11), and hasText() alone asks two.
bool OffersText(const QMimeData *data)
{
    return data != nullptr && data->formats().contains(QStringLiteral("text/plain"));
}
}

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
    return OffersText(QGuiApplication::clipboard()->mimeData());
}

std::optional<std::u16string> SystemClipboard::GetUnicodeText()
{
    if (!m_bOpen)
        return std::nullopt;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!OffersText(data))
        return std::nullopt;
    return data->text().toStdU16String();
}

void SystemClipboard::Close()
{
    m_bOpen = false;
}

std::optional<std::u16string> SystemClipboard::GetSelectionText()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr || !clipboard->supportsSelection())
        return std::nullopt;
    const QMimeData *data = clipboard->mimeData(QClipboard::Selection);
    if (!OffersText(data))
        return std::nullopt;
    return data->text().toStdU16String();
}

void SystemClipboard::SetSelectionText(const std::u16string &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard != nullptr && clipboard->supportsSelection())
        clipboard->setText(QStringOfUnits(text), QClipboard::Selection);
}
