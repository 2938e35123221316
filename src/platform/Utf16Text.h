#pragma once

#include <QChar>
#include <QString>

#include <string_view>

// The code units of a text as a QString, every one as it is. QString's own
// fromStdU16String and fromUtf16 take a leading U+FEFF or U+FFFE for a
// byte-order mark: they drop the first and byte-swap the whole text behind
// the second, which would change the user's text on its way to the notepad,
// the clipboard or the screen.
inline QString QStringOfUnits(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()), static_cast<qsizetype>(text.size()));
}
