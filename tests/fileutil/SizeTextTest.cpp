// Size text: three significant digits, truncated never rounded, the fraction
// taken only from the last division, and the free space of real and missing
// volumes.
#include <gtest/gtest.h>

#include "SizeText.h"
#include "ScratchTree.h"

namespace {

const ULONGLONG KB = 1024;
const ULONGLONG MB = KB * 1024;
const ULONGLONG GB = MB * 1024;
const ULONGLONG TB = GB * 1024;

} // namespace

TEST(SizeText, Bytes) {
    EXPECT_EQ("0byte", FormatSize(0));
    EXPECT_EQ("999byte", FormatSize(999));
}

TEST(SizeText, EachUnitWithOneTwoOrNoDecimals) {
    EXPECT_EQ("0.97KB", FormatSize(1000));
    EXPECT_EQ("1.50KB", FormatSize(1536));
    EXPECT_EQ("10.0KB", FormatSize(10240));
    EXPECT_EQ("100KB", FormatSize(100 * KB));
    EXPECT_EQ("512KB", FormatSize(512 * KB));
    EXPECT_EQ("1.00MB", FormatSize(MB));
    EXPECT_EQ("12.5MB", FormatSize(12 * MB + 512 * KB));
    EXPECT_EQ("5.00GB", FormatSize(5 * GB));
    EXPECT_EQ("1.00TB", FormatSize(TB));
    EXPECT_EQ("999TB", FormatSize(999 * TB));
}

TEST(SizeText, DecimalsAreTruncated) {
    EXPECT_EQ("0.99KB", FormatSize(1023));
    EXPECT_EQ("1.05KB", FormatSize(KB + 52)); // a zero tenth is written
    EXPECT_EQ("10.9KB", FormatSize(11 * KB - 1));
    EXPECT_EQ("99.9KB", FormatSize(100 * KB - 1));
    EXPECT_EQ("999KB", FormatSize(1000 * KB - 1));
}

TEST(SizeText, FractionComesFromTheLastStepOnly) {
    // 1000 KB is the first value in the next unit.
    EXPECT_EQ("0.97MB", FormatSize(1000 * KB));
    // The 1023 bytes below 1 KB do not carry into the MB fraction.
    EXPECT_EQ("1.00MB", FormatSize(MB + 1023));
    EXPECT_EQ("1.49MB", FormatSize(MB + 512 * KB - 1));
}

TEST(SizeText, ThousandTerabytesAndMoreStayInTerabytes) {
    EXPECT_EQ("0.97TB", FormatSize(1000 * GB));
    EXPECT_EQ("1000TB", FormatSize(1000 * TB));
    EXPECT_EQ("1023TB", FormatSize(1024 * TB - 1));
    EXPECT_EQ("16777215TB", FormatSize(~0ull));
}

TEST(SizeText, FreeSpaceOfARealDrive) {
    CScratchTree tree("free");
    ULONGLONG nRoot = GetFreeSpace("D:\\");
    EXPECT_GT(nRoot, 0u);
    // Any path on the drive asks about its root, existing or not.
    EXPECT_GT(GetFreeSpace(tree.Path("表\\ソ.txt")), 0u);
    EXPECT_NE("0byte", FormatFreeSpace("D:\\"));
}

TEST(SizeText, FreeSpaceOfAMissingVolumeIsZero) {
    EXPECT_EQ(0u, GetFreeSpace("Q:\\"));
    EXPECT_EQ(0u, GetFreeSpace("Q:\\表\\x"));
    EXPECT_EQ("0byte", FormatFreeSpace("Q:\\"));
    EXPECT_EQ(0u, GetFreeSpace("\\\\server\\share\\x"));
    EXPECT_EQ(0u, GetFreeSpace("\\\\表\\ソ"));
    EXPECT_EQ(0u, GetFreeSpace("\\\\"));
}
