#include "app/LastUsedText.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Bytes(std::initializer_list<unsigned char> values)
{
    return std::string(values.begin(), values.end());
}
}

TEST(LastUsedText, TooShortFilesHoldNoText)
{
    EXPECT_EQ(DecodeLastUsedText(Bytes({})), u"");
    EXPECT_EQ(DecodeLastUsedText(Bytes({0xFF})), u"");
    EXPECT_EQ(DecodeLastUsedText(Bytes({0x41})), u"");
    EXPECT_EQ(DecodeLastUsedText(Bytes({0xFF, 0xFE})), u"");
}

TEST(LastUsedText, MarkIsSkippedAndOddLastByteDropped)
{
    EXPECT_EQ(DecodeLastUsedText(Bytes({0xFF, 0xFE, 0x61, 0x00, 0x22, 0x21, 0x7A})), u"a\u2122");
}

// A file written without a byte-order mark keeps its first character; the
// reversed mark is not a mark of this format and is read as text.
TEST(LastUsedText, BytesWithoutTheMarkAreTextFromTheFirstByte)
{
    EXPECT_EQ(DecodeLastUsedText(Bytes({0x41, 0x00})), u"A");
    EXPECT_EQ(DecodeLastUsedText(Bytes({0x41, 0x00, 0x42, 0x00, 0x43, 0x00, 0x44})), u"ABC");
    EXPECT_EQ(DecodeLastUsedText(Bytes({0xFE, 0xFF, 0x41, 0x00})), u"\uFFFEA");
    EXPECT_EQ(DecodeLastUsedText(Bytes({0xFF, 0x00, 0xFE, 0x00})), u"\u00FF\u00FE");
}

TEST(LastUsedText, EncodingIsMarkThenLittleEndianUnits)
{
    EXPECT_EQ(EncodeLastUsedText(u""), Bytes({0xFF, 0xFE}));
    EXPECT_EQ(EncodeLastUsedText(u"ab\r\nc"),
              Bytes({0xFF, 0xFE, 0x61, 0x00, 0x62, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x63, 0x00}));
    EXPECT_EQ(EncodeLastUsedText(u"\u20AC"), Bytes({0xFF, 0xFE, 0xAC, 0x20}));
}

// Whatever the pad held comes back unit for unit, broken surrogates and NULs
// too, and a text that starts with U+FEFF keeps it.
TEST(LastUsedText, EveryCodeUnitSurvivesTheRoundTrip)
{
    const std::u16string texts[] = {
        std::u16string(u"a\0b", 3), u"\xD800x\xDC00", u"\U0001F600\t\r\n",
        u"\uFEFFmark", std::u16string(1, u'\0'), u"\xFFFF\x0100",
    };
    for (const std::u16string &text : texts) {
        const std::string bytes = EncodeLastUsedText(text);
        EXPECT_EQ(bytes.size(), 2 + 2 * text.size());
        EXPECT_EQ(DecodeLastUsedText(bytes), text);
    }
}
