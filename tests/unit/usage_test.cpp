// The usage-bar updater's pure decisions: percent, icon index, icon location and figure lines.
#include "usage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace zelvo;

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

// total and free for a used share of used / 10000.
long long PercentOfTenThousandths(std::uint64_t used) {
    return UsagePercent(10000, 10000 - used);
}

} // namespace

// The quotient rounded to two decimals, halves up: among the halves 0.035, 0.145, 0.575 and
// 0.995, whose doubles lie just beside the half (0.145 * 100 = 14.499999...).
TEST(UsagePercent, EveryHalfOfAHundredthRoundsUp) {
    for (std::uint64_t hundredths = 0; hundredths < 100; ++hundredths) {
        const std::uint64_t used = hundredths * 100 + 50; // (hundredths + 0.5) / 100
        EXPECT_EQ(PercentOfTenThousandths(used), static_cast<long long>(hundredths) + 1) << used;
        EXPECT_EQ(PercentOfTenThousandths(used - 1), static_cast<long long>(hundredths)) << used;
    }
    EXPECT_EQ(PercentOfTenThousandths(9951), 100); // 0.9951: above the last half
}

TEST(UsagePercent, FreeAboveTotalGivesANegativePercentAndTheEmptyBar) {
    const long long percent = UsagePercent(1000, 1500); // quota: -0.5
    EXPECT_EQ(percent, -50);
    EXPECT_EQ(UsageIconIndex(percent), 0);
    EXPECT_EQ(UsagePercent(10000, 10350), -4); // -0.035: halves away from zero
    EXPECT_EQ(UsagePercent(10000, 10349), -3);
    EXPECT_EQ(UsagePercent(10000, 10001), 0);
}

TEST(UsagePercent, AFullDriveIsAHundredAndTheFullBar) {
    EXPECT_EQ(UsagePercent(123456789, 0), 100);
    EXPECT_EQ(UsageIconIndex(UsagePercent(123456789, 0)), 50);
}

TEST(UsagePercent, HugeFiguresDoNotOverflow) {
    EXPECT_EQ(UsagePercent(kMax, 0), 100);
    EXPECT_EQ(UsagePercent(kMax, kMax), 0);
    EXPECT_EQ(UsagePercent(kMax, kMax / 2), 50);
    EXPECT_EQ(UsagePercent(kMax, kMax / 4), 75);
    EXPECT_EQ(UsagePercent(kMax, 1), 100);
    EXPECT_EQ(UsagePercent(kMax - 1, kMax), 0);
    // free 2^64-1 on a 1-byte drive: used = -(2^64 - 2), quotient about -1.8e19.
    EXPECT_EQ(UsagePercent(1, kMax), std::numeric_limits<long long>::min() + 1);
    EXPECT_EQ(UsageIconIndex(UsagePercent(1, kMax)), 0);
    EXPECT_EQ(UsagePercent(1, 0), 100);
}

TEST(UsagePercent, AZeroTotalIsZero) {
    EXPECT_EQ(UsagePercent(0, 0), 0);
}

TEST(PercentText, IsPlainDecimalAndReadsBack) {
    EXPECT_EQ(PercentText(0), "0");
    EXPECT_EQ(PercentText(4), "4");
    EXPECT_EQ(PercentText(100), "100");
    EXPECT_EQ(PercentText(-50), "-50");
    for (long long p :
         {-9223372036854775807LL - 1, -50LL, -1LL, 0LL, 3LL, 99LL, 100LL, 9223372036854775807LL})
        EXPECT_EQ(PercentFromText(PercentText(p)), p);
    EXPECT_EQ(PercentFromText(""), 0);
    EXPECT_EQ(PercentFromText("x"), 0);
    EXPECT_EQ(PercentFromText("99999999999999999999"), 9223372036854775807LL);
    EXPECT_EQ(PercentFromText("-99999999999999999999"), -9223372036854775807LL - 1);
}

// The table, row by row: first row that holds wins.
TEST(UsageIconIndex, FollowsTheTableForEveryPercentFromMinusFiveToAHundred) {
    struct Row {
        long long from, to;
        int index;
    };
    std::vector<Row> rows = {{-5, 3, 0}, {4, 5, 1}, {6, 7, 2}, {8, 9, 3}};
    for (int k = 4; k <= 43; ++k) // the general rows 2k+2..2k+3 -> k below the top rows
        rows.push_back({2 * k + 2, 2 * k + 3, k});
    rows.insert(
        rows.end(),
        {{90, 91, 44}, {92, 93, 45}, {94, 96, 46}, {97, 98, 47}, {99, 99, 48}, {100, 100, 50}});
    long long expectedNext = -5;
    for (const Row& row : rows) {
        ASSERT_EQ(row.from, expectedNext) << "the rows cover every percent once";
        for (long long p = row.from; p <= row.to; ++p)
            EXPECT_EQ(UsageIconIndex(p), row.index) << "percent " << p;
        expectedNext = row.to + 1;
    }
    EXPECT_EQ(expectedNext, 101);
}

TEST(UsageIconIndex, PercentsBeyondTheTableGiveTheEmptyOrTheFullBar) {
    const std::pair<long long, int> expected[] = {{-1000000, 0}, {101, 50}, {1000000, 50}};
    for (const auto& [percent, index] : expected)
        EXPECT_EQ(UsageIconIndex(percent), index) << percent;
}

TEST(UsageIconIndex, NeverChoosesFortyNineAndStaysInTheLibrary) {
    for (long long p = -200; p <= 300; ++p) {
        EXPECT_NE(UsageIconIndex(p), 49) << p;
        EXPECT_GE(UsageIconIndex(p), 0) << p;
        EXPECT_LT(UsageIconIndex(p), kUsageIconCount) << p;
    }
}

TEST(UsageIconLocation, WithoutASystemFolderIsTheLibraryFromTheRoot) {
    EXPECT_EQ(UsageIconLocation("", 0), "\\ZelvoPrg.icl,0");
}

TEST(FigureLines, AreAnEmptyLineThenTotalFreeAndUsed) {
    EXPECT_EQ(FigureLines(10000, 650),
              (std::vector<std::string>{"", " Total Number Of Bytes:10000", " Total Free Bytes:650",
                                        " Total Space Used :9350"}));
}

TEST(FigureLines, AZeroPrintsNothingAfterItsLabel) {
    EXPECT_EQ(FigureLines(5000, 0),
              (std::vector<std::string>{"", " Total Number Of Bytes:5000",
                                        " Total Free Bytes:", " Total Space Used :5000"}));
    EXPECT_EQ(FigureLines(5000, 5000),
              (std::vector<std::string>{"", " Total Number Of Bytes:5000", " Total Free Bytes:5000",
                                        " Total Space Used :"}));
    EXPECT_EQ(FigureLines(0, 0),
              (std::vector<std::string>{
                  "", " Total Number Of Bytes:", " Total Free Bytes:", " Total Space Used :"}));
}

TEST(FigureLines, PrintHugeAndNegativeFiguresWithoutGrouping) {
    EXPECT_EQ(FigureLines(kMax, 1),
              (std::vector<std::string>{"", " Total Number Of Bytes:18446744073709551615",
                                        " Total Free Bytes:1",
                                        " Total Space Used :18446744073709551614"}));
    EXPECT_EQ(FigureLines(1000, 1500)[3], " Total Space Used :-500");
    EXPECT_EQ(FigureLines(0, kMax)[3], " Total Space Used :-18446744073709551615");
}
