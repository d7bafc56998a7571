// The portable word sort orders names the way the Windows shell's comparison does.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/Collation.h"

namespace pv {
namespace {

TEST(CollationTest, WordSortOrder) {
    // Each name sorts strictly before the next one.
    const std::vector<std::string> ascending = {
            "",    " a", "!a",  "#a",  "(a",    ".a",    "_a",     "~a",      "+a",     "=a", "0",
            "00",  "1",  "9a",  "a",   "A",     "a b",   "a.b",    "a_b",     "a+b",    "a0", "ab",
            "a-b", "aB", "a-B", "abc", "b.jpg", "B.jpg", "b1.jpg", "b10.jpg", "b2.jpg", "z",  "Фото",
    };
    for (size_t i = 0; i + 1 < ascending.size(); ++i) {
        EXPECT_LT(CompareNames(ascending[i], ascending[i + 1]), 0) << ascending[i] << " / " << ascending[i + 1];
        EXPECT_GT(CompareNames(ascending[i + 1], ascending[i]), 0) << ascending[i + 1] << " / " << ascending[i];
        EXPECT_EQ(CompareNames(ascending[i], ascending[i]), 0);
    }
}

TEST(CollationTest, NoCaseComparison) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };

    const Case cases[] = {
            {"JPG", "jpg", 0}, {".gif", ".JPG", -1}, {"", ".jpg", -1},   {"Jpeg", "JPG", -1},
            {"a-b", "AB", 1},  {"mp3", "MP3", 0},    {"wav", "WAX", -1},
    };
    for (const Case& c : cases) {
        const int r = CompareNamesNoCase(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " / " << c.b;
        const int back = CompareNamesNoCase(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " / " << c.a;
    }
}

}  // namespace
}  // namespace pv
