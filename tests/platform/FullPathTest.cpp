#include "platform/FullPath.h"

#include <gtest/gtest.h>

namespace pv {
namespace {

TEST(FullPathTest, FoldsLikeGetFullPathName) {
    EXPECT_EQ(FoldFullPath("a.jpg", "C:\\pics"), "C:\\pics\\a.jpg");
    EXPECT_EQ(FoldFullPath("..\\b\\.\\c.jpg", "C:\\pics\\x"), "C:\\pics\\b\\c.jpg");
    EXPECT_EQ(FoldFullPath("..\\..\\..", "C:\\a"), "C:\\");
    EXPECT_EQ(FoldFullPath("D:/photos//2003/", "C:\\a"), "D:\\photos\\2003\\");
    EXPECT_EQ(FoldFullPath("\\root.jpg", "C:\\a\\b"), "C:\\root.jpg");
    EXPECT_EQ(FoldFullPath("C:", "C:\\a\\b"), "C:\\a\\b");
    EXPECT_EQ(FoldFullPath("x\\y", "\\tmp\\t"), "\\tmp\\t\\x\\y");
    EXPECT_EQ(FoldFullPath("Фото 2003\\пляж.jpg", "\\tmp"), "\\tmp\\Фото 2003\\пляж.jpg");
}

}  // namespace
}  // namespace pv
