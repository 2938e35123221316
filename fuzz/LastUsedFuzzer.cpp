// LastUsed.txt as the program reads it at start: any bytes as
// <program folder>/LastUsed.txt, read by the notepad view's own reader and
// put into the notepad as the start action does. It is read as Open reads a
// file: taken for UTF-8, saved again it gives those bytes exactly; otherwise
// the text holds every whole code unit after an optional byte-order mark,
// unchanged, and written out again gives those same bytes behind the mark.
// The notepad gives back every character of it, only its line breaks made CR LF.

#include "FuzzApplication.h"
#include "FuzzCheck.h"

#include "app/LastUsedText.h"
#include "app/MainFrame.h"
#include "app/QuorlexDoc.h"
#include "app/QuorlexView.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {
CQuorlexView *g_pView = nullptr;

void CheckDecoded(const std::u16string &text, std::string_view bytes)
{
    const bool bMark = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    std::string_view body = bytes.substr(bMark ? 2 : 0);
    body = body.substr(0, body.size() - body.size() % 2);
    FuzzCheck(text.size() * 2 == body.size(), "one code unit per whole pair of bytes");
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto low = static_cast<std::uint8_t>(body[2 * i]);
        const auto high = static_cast<std::uint8_t>(body[2 * i + 1]);
        FuzzCheck(text[i] == char16_t(low + 256 * high), "code units are little-endian and unchanged");
    }
    FuzzCheck(EncodeLastUsedText(text) == std::string("\xFF\xFE") + std::string(body),
              "written again it is the mark and the same units");
}

// The text without anything the notepad may take for a line break: CR, LF,
// the paragraph and line separators, and the two characters its document
// keeps for frame boundaries.
std::u16string WithoutBreaks(const std::u16string &text)
{
    std::u16string kept;
    for (const char16_t ch : text)
        if (ch != u'\r' && ch != u'\n' && ch != u'\u2029' && ch != u'\u2028' && ch != u'\uFDD0' && ch != u'\uFDD1')
            kept += ch;
    return kept;
}
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    StartFuzzApplication();
    // One notepad for all inputs; its frame lives as long as the process.
    auto *pFrame = new CMainFrame(new CQuorlexDoc);
    g_pView = pFrame->View();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    StartFuzzApplication().WriteProgramFile(QStringLiteral("LastUsed.txt"), bytes);
    const std::u16string text = g_pView->ReadLastUsedText();
    TextFileFormat format;
    const std::u16string opened = DecodeTextFile(std::string_view(bytes.constData(), size), format);
    FuzzCheck(text == opened, "LastUsed.txt is read as an opened file");
    if (format.m_encoding == TextEncoding::Utf16)
        CheckDecoded(text, std::string_view(bytes.constData(), size));
    else
        FuzzCheck(EncodeTextFile(opened, format) == bytes.toStdString(), "an opened UTF-8 file saves back byte for byte");
    g_pView->SetViewText(text);
    FuzzCheck(WithoutBreaks(g_pView->ViewText()) == WithoutBreaks(text), "the notepad keeps every character");
    return 0;
}
