// The usage percent is decided on the quotient's shortest round-trip decimal text. This compares
// it with that text itself, as std::to_chars writes it in fixed notation, over figures of every
// size: quotients near every half and random drives.
#include "usage.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

using namespace zelvo;

namespace {

constexpr long long kMaxPercent = std::numeric_limits<long long>::max();

// round(q * 100), halves up, read off the fixed decimal text of q >= 0; clamped.
long long PercentFromDecimalText(double q) {
    char text[400];
    const std::to_chars_result result =
        std::to_chars(text, text + sizeof text, q, std::chars_format::fixed);
    const std::string decimal(text, result.ptr);
    const std::string::size_type point = decimal.find('.');
    const std::string fraction = point == std::string::npos ? "" : decimal.substr(point + 1);
    const std::string hundredthsDigits = decimal.substr(0, point) + (fraction + "00").substr(0, 2);
    // Saturates like the percent: beyond kMaxPercent the digits no longer matter.
    unsigned long long hundredths = 0;
    for (char c : hundredthsDigits) {
        if (hundredths > static_cast<unsigned long long>(kMaxPercent) / 10)
            return kMaxPercent;
        hundredths = hundredths * 10 + static_cast<unsigned>(c - '0');
    }
    if (fraction.size() > 2 && fraction[2] >= '5')
        ++hundredths;
    return hundredths > static_cast<unsigned long long>(kMaxPercent)
               ? kMaxPercent
               : static_cast<long long>(hundredths);
}

// The percent the figures should give, worked out through the decimal text.
long long Expected(std::uint64_t total, std::uint64_t free) {
    const SignedAmount used = UsedSpace(total, free);
    const long long magnitude =
        PercentFromDecimalText(static_cast<double>(used.magnitude) / static_cast<double>(total));
    return used.negative ? -magnitude : magnitude;
}

} // namespace

TEST(UsagePercentExactness, MatchesTheDecimalTextNearEveryHalf) {
    for (std::uint64_t total : {1000ULL, 10000ULL, 100000ULL, 3ULL * 1024 * 1024 * 1024}) {
        for (std::uint64_t k = 0; k < 200; ++k) {
            const std::uint64_t half = (2 * k + 1) * total / 400; // about (k + 1/2) / 200
            for (std::uint64_t used = half > 2 ? half - 2 : 0; used <= half + 2; ++used)
                EXPECT_EQ(UsagePercent(total, total - used), Expected(total, total - used))
                    << total << " " << used;
        }
    }
}

TEST(UsagePercentExactness, MatchesTheDecimalTextForFiguresOfEverySize) {
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t total = random() >> (random() % 64);
        const std::uint64_t free = random() >> (random() % 64);
        if (total == 0)
            continue;
        // Quotients from 2^40 on are free space far beyond the total: truncated, not rounded.
        const double quotient =
            static_cast<double>(UsedSpace(total, free).magnitude) / static_cast<double>(total);
        if (quotient >= 0x1p40)
            continue;
        ASSERT_EQ(UsagePercent(total, free), Expected(total, free)) << total << " " << free;
    }
}
