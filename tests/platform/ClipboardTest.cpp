#include "platform/Clipboard.h"

#include <gtest/gtest.h>

#include <string>

// The desktop's clipboard holds the text unit for unit: line breaks as they
// are, and a leading U+FEFF or U+FFFE kept as text rather than read as a
// byte-order mark.
TEST(SystemClipboard, TextGoesAndComesBackUnitForUnit)
{
    SystemClipboard clipboard;
    for (const std::u16string text : {u"a\r\nb\nc\rd", u"\uFEFFab", u"\uFFFEab\r\ncd"}) {
        ASSERT_TRUE(clipboard.Open());
        ASSERT_TRUE(clipboard.Empty());
        ASSERT_TRUE(clipboard.SetUnicodeText(text));
        ASSERT_TRUE(clipboard.IsUnicodeTextAvailable());
        EXPECT_EQ(clipboard.GetUnicodeText(), text);
        clipboard.Close();
    }
}
