#include "entries/core/entry_text.h"

#include <gtest/gtest.h>

namespace {

TEST(EntryText, KeepsPipesAndTabsAndMakesEachLineBreakOneSpace) {
    const struct {
        std::u16string typed;
        std::u16string kept;
    } cases[] = {
        {u"Code | 1234", u"Code | 1234"}, {u"a\t|b", u"a\t|b"},   {u"a\r\nb", u"a b"},
        {u"a\rb", u"a b"},                {u"a\nb", u"a b"},      {u"a\n\rb", u"a  b"},
        {u"\r\n\r\n", u"  "},             {u"a\r", u"a "},        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(SingleLineEntryText(c.typed), c.kept) << testing::PrintToString(c.typed);
}

}  // namespace
