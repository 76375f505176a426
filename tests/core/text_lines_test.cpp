#include "storage/core/text_lines.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextLines, EveryLineBreakBecomesCrLf) {
    const struct {
        std::u16string text;
        std::u16string crlf;
    } cases[] = {
        {u"a\nb", u"a\r\nb"},          {u"a\rb", u"a\r\nb"},         {u"a\r\nb", u"a\r\nb"},
        {u"a\n\nb", u"a\r\n\r\nb"},    {u"a\r\rb", u"a\r\n\r\nb"},   {u"a\n\rb", u"a\r\n\r\nb"},
        {u"\n", u"\r\n"},              {u"a\r", u"a\r\n"},           {u"", u""},
        {u"plain", u"plain"},
    };
    for (const auto& c : cases) EXPECT_EQ(WithCrLfLineBreaks(c.text), c.crlf) << testing::PrintToString(c.text);
}
