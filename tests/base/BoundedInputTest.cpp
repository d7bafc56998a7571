// The guards every reader stands on: the byte reader's failure that sticks, the range
// check and the decode budget at its edge.
#include <gtest/gtest.h>
#include <vector>

#include "base/ByteReader.h"
#include "base/CheckedMath.h"
#include "base/DecodeLimits.h"

namespace pv {
namespace {

TEST(ByteReaderTest, AFailedReadSticksAndReadsZero) {
    const std::vector<uint8_t> bytes{0x12, 0x34, 0x56, 0x78, 0x9A};
    ByteReader r(bytes);
    EXPECT_EQ(r.U16BE(), 0x1234u);
    EXPECT_EQ(r.U16LE(), 0x7856u);
    EXPECT_EQ(r.U32LE(), 0u);  // 1 byte left: fails and moves to the end
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.AtEnd());
    EXPECT_TRUE(r.Seek(0));  // moving back does not clear the failure
    EXPECT_EQ(r.U8(), 0x12);
    EXPECT_FALSE(r.ok());

    ByteReader s(bytes);
    EXPECT_TRUE(s.Seek(5));  // the end itself is a valid position
    EXPECT_TRUE(s.ok());
    EXPECT_FALSE(s.Seek(6));
    EXPECT_FALSE(s.ok());

    ByteReader t(bytes);
    uint8_t dst[8] = {};
    t.Skip(3);
    EXPECT_EQ(t.CopyTo(dst), 2u);  // what was there is copied, the shortfall fails
    EXPECT_EQ(dst[1], 0x9A);
    EXPECT_FALSE(t.ok());
    ByteReader u(bytes);
    EXPECT_TRUE(u.Bytes(6).empty());
    EXPECT_FALSE(u.Skip(1));  // failed reads leave the reader at the end
    EXPECT_EQ(u.I32BE(), 0);
    EXPECT_EQ(LoadU32LE(bytes, 1), 0x9A785634u);
    EXPECT_EQ(LoadU32LE(bytes, 2), 0u);
    EXPECT_EQ(LoadU16LE(bytes, SIZE_MAX), 0u);
}

TEST(CheckedMathTest, FitsInNeverWraps) {
    struct Case {
        size_t offset, need, size;
        bool fits;
    } cases[] = {
            {0, 10, 10, true},
            {10, 0, 10, true},
            {9, 2, 10, false},
            {11, 0, 10, false},
            {1, SIZE_MAX, 10, false},
            {SIZE_MAX, 2, 10, false},
            {SIZE_MAX, 0, SIZE_MAX, true},
    };

    for (const Case& c : cases) {
        EXPECT_EQ(FitsIn(c.offset, c.need, c.size), c.fits) << c.offset << " + " << c.need << " in " << c.size;
    }
    EXPECT_FALSE(CheckedMul(SIZE_MAX / 3 + 1, 3));
    EXPECT_FALSE(CheckedAdd(SIZE_MAX, 1));
    EXPECT_EQ(CheckedMul(4, 5, 6), std::optional<size_t>{120});
}

TEST(DecodeLimitsTest, TheBudgetHoldsRowsAndStagingTogether) {
    // Width 1 has a 4-byte stride: 2^28 rows are exactly the 1 GiB budget.
    constexpr int64_t kRows = int64_t{1} << 28;

    struct Case {
        int64_t width, height;
        size_t staging;
        Status expected;
    } cases[] = {
            {1, kRows, 0, Status::Ok},           {1, kRows + 1, 0, Status::TooLarge},
            {1, kRows, 1, Status::TooLarge},     {1, kRows - 1, 4, Status::Ok},
            {1, kRows - 1, 5, Status::TooLarge}, {1, 1, kDecodeBudget, Status::TooLarge},
            {0, 1, 0, Status::BadHeader},        {1, -1, 0, Status::BadHeader},
            {INT64_MAX, 1, 0, Status::TooLarge}, {int64_t{1} << 31, 1, 0, Status::TooLarge},
    };

    for (const Case& c : cases) {
        EXPECT_EQ(CheckPictureSize(c.width, c.height, c.staging), c.expected)
                << c.width << " x " << c.height << " + " << c.staging;
    }
    EXPECT_EQ(Budgeted24BitSize(1, kRows), kDecodeBudget);
    EXPECT_EQ(Budgeted24BitSize(5, 2), 32u);
}

}  // namespace
}  // namespace pv
