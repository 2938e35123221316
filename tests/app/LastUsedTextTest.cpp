#include "app/LastUsedText.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

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

// Opened files: valid UTF-8 without NUL comes back byte for byte; anything
// else is the last-use format.
TEST(LastUsedText, Utf8FilesAreRecognisedAndWrittenBackAsTheyCame)
{
    using enum TextEncoding;
    const std::tuple<std::string, std::u16string, TextFileFormat> utf8[] = {
        {"", u"", {Utf8, false}},
        {"Gr\xC3\xBC\xC3\x9F" "e\r\nzwei \xE2\x82\xAC", u"Grüße\r\nzwei €", {Utf8, false}},
        {"\xEF\xBB\xBFmark\n", u"mark\r\n", {Utf8WithMark, true}},
        {"a\nb \xF0\x9F\x98\x80", u"a\r\nb \U0001F600", {Utf8, true}},
    };
    for (const auto &[bytes, text, format] : utf8) {
        TextFileFormat read;
        EXPECT_EQ(DecodeTextFile(bytes, read), text) << bytes;
        EXPECT_EQ(read, format) << bytes;
        EXPECT_EQ(EncodeTextFile(text, format), bytes);
    }
    using namespace std::string_literals;
    for (const std::string &bytes : {"\xFF\xFE" "a\0"s, "a\0"s, "\xC0\x80"s, "\xED\xA0\x80"s, "\xF4\x90\x80\x80"s, "\xE2\x82"s}) {
        TextFileFormat read{Utf8, true};
        EXPECT_EQ(DecodeTextFile(bytes, read), DecodeLastUsedText(bytes)) << bytes;
        EXPECT_EQ(read, TextFileFormat());
    }
    // What UTF-8 cannot hold is kept whole in the last-use format.
    EXPECT_EQ(EncodeTextFile(u"a\xD800", {Utf8, false}), EncodeLastUsedText(u"a\xD800"));
}
