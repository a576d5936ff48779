#include "usage.h"

#include "layout.h"

#include <charconv>
#include <cstring>
#include <limits>

namespace zelvo {

namespace {

constexpr long long kMaxPercent = std::numeric_limits<long long>::max();

// round(q * 100) with halves up, for q >= 0, decided on the shortest decimal text of q that
// reads back as the same double ("0.035" for 350.0 / 10000), rather than on its binary
// neighbour just below the half. Worked out exactly without formatting the double.

// Below 2^40 a quotient's read-back interval is narrower than a thousandth, so its shortest
// text is a half (k + 1/2) / 100 exactly when the nearest double to that half is q.
constexpr double kNarrowBelow = 1099511627776.0; // 2^40
// From 2^57 on every hundredths count exceeds kMaxPercent.
constexpr double kClampFrom = 144115188075855872.0; // 2^57

// The double nearest to (k + 1/2) / 100, where rounding up to k + 1 begins (the division of
// exact integers rounds correctly).
double HalfwayAbove(long long k) {
    return static_cast<double>(2 * k + 1) / 200.0;
}

// A non-negative decimal with kFractionDigits fraction digits: exact for every double from
// 2^40 on and for the ends of its interval (at most 14 binary fraction digits).
constexpr int kFractionDigits = 14;
constexpr std::uint64_t kFractionOne = 100000000000000ULL;
struct Decimal {
    std::uint64_t whole = 0;
    std::uint64_t fraction = 0;
};
bool operator<(Decimal a, Decimal b) {
    return a.whole != b.whole ? a.whole < b.whole : a.fraction < b.fraction;
}
bool operator==(Decimal a, Decimal b) {
    return a.whole == b.whole && a.fraction == b.fraction;
}

std::uint64_t PowerOfTen(int n) {
    std::uint64_t power = 1;
    for (; n > 0; --n)
        power *= 10;
    return power;
}

// quarters * 2^(exponent - 2), for exponent - 2 in [-14, 2].
Decimal FromQuarters(std::uint64_t quarters, int exponent) {
    const int shift = exponent - 2;
    if (shift >= 0)
        return {quarters << shift, 0};
    const std::uint64_t below = quarters & ((std::uint64_t{1} << -shift) - 1);
    return {quarters >> -shift, (below * kFractionOne) >> -shift};
}

// The multiple of 10^p at or below v, the next one up, and the parity of its last digit; p in
// [-kFractionDigits, 18].
Decimal FloorTo(Decimal v, int p) {
    if (p >= 0)
        return {v.whole / PowerOfTen(p) * PowerOfTen(p), 0};
    const std::uint64_t step = PowerOfTen(kFractionDigits + p);
    return {v.whole, v.fraction / step * step};
}
Decimal StepUp(Decimal v, int p) {
    if (p >= 0)
        return {v.whole + PowerOfTen(p), 0};
    v.fraction += PowerOfTen(kFractionDigits + p);
    if (v.fraction >= kFractionOne) {
        v.fraction -= kFractionOne;
        ++v.whole;
    }
    return v;
}
bool LastDigitEven(Decimal v, int p) {
    return (p >= 0 ? v.whole / PowerOfTen(p) : v.fraction / PowerOfTen(kFractionDigits + p)) % 2 ==
           0;
}

// b - a, for a <= b.
Decimal Minus(Decimal b, Decimal a) {
    if (b.fraction < a.fraction)
        return {b.whole - a.whole - 1, b.fraction + kFractionOne - a.fraction};
    return {b.whole - a.whole, b.fraction - a.fraction};
}

// The decimal that the fixed text of q in [2^40, 2^57) shows: the fewest digits that read
// back as q, the nearer of two (halves to the even digit); a whole number whose shortest
// digits end in zeros is shown as q's exact whole value instead (halves to even).
Decimal FixedTextValue(double q) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &q, sizeof bits);
    constexpr std::uint64_t kHidden = std::uint64_t{1} << 52;
    const std::uint64_t mantissa = (bits & (kHidden - 1)) | kHidden;
    const int exponent = static_cast<int>((bits >> 52) & 0x7ff) - 1075;
    // What reads back as q: half a step either way (a quarter below a power of two), the ends
    // included for an even mantissa.
    const Decimal value = FromQuarters(4 * mantissa, exponent);
    const Decimal low = FromQuarters(4 * mantissa - (mantissa == kHidden ? 1 : 2), exponent);
    const Decimal high = FromQuarters(4 * mantissa + 2, exponent);
    const bool endsIncluded = mantissa % 2 == 0;
    const auto readsBack = [&](Decimal d) {
        return endsIncluded ? !(d < low) && !(high < d) : low < d && d < high;
    };
    for (int p = 18; p >= -kFractionDigits; --p) {
        const Decimal below = FloorTo(value, p);
        const Decimal above = below == value ? below : StepUp(below, p);
        if (!readsBack(below) && !readsBack(above))
            continue;
        Decimal shown = readsBack(below) ? below : above;
        if (readsBack(below) && readsBack(above)) {
            const Decimal down = Minus(value, below);
            const Decimal up = Minus(above, value);
            if (up < down || (up == down && !LastDigitEven(below, p)))
                shown = above;
        }
        if (shown.fraction == 0 && shown.whole % 10 == 0) {
            constexpr std::uint64_t kHalf = kFractionOne / 2;
            const bool roundUp =
                value.fraction > kHalf || (value.fraction == kHalf && value.whole % 2 == 1);
            return {value.whole + (roundUp ? 1 : 0), 0};
        }
        return shown;
    }
    return value;
}

long long RoundedHundredths(double q) {
    if (q < kNarrowBelow) {
        auto hundredths = static_cast<long long>(q * 100.0);
        while (hundredths > 0 && HalfwayAbove(hundredths - 1) > q)
            --hundredths;
        while (HalfwayAbove(hundredths) <= q)
            ++hundredths;
        return hundredths;
    }
    if (q >= kClampFrom)
        return kMaxPercent;
    const Decimal shown = FixedTextValue(q);
    constexpr auto kLimit = static_cast<std::uint64_t>(kMaxPercent);
    if (shown.whole > kLimit / 100)
        return kMaxPercent;
    const std::uint64_t hundredths = shown.whole * 100 + shown.fraction / PowerOfTen(12) +
                                     (shown.fraction / PowerOfTen(11) % 10 >= 5 ? 1 : 0);
    if (hundredths > kLimit)
        return kMaxPercent;
    return static_cast<long long>(hundredths);
}

} // namespace

SignedAmount UsedSpace(std::uint64_t total, std::uint64_t free) {
    if (free > total)
        return {true, free - total};
    return {false, total - free};
}

long long UsagePercent(std::uint64_t total, std::uint64_t free) {
    if (total == 0)
        return 0;
    const SignedAmount used = UsedSpace(total, free);
    const double quotient = static_cast<double>(used.magnitude) / static_cast<double>(total);
    const long long magnitude = RoundedHundredths(quotient);
    // -kMaxPercent is representable, so the negation cannot overflow.
    return used.negative ? -magnitude : magnitude;
}

std::string PercentText(long long percent) {
    return std::to_string(percent);
}

long long PercentFromText(const std::string& text) {
    long long value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    const std::from_chars_result result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range)
        return !text.empty() && text[0] == '-' ? std::numeric_limits<long long>::min()
                                               : kMaxPercent;
    return result.ec == std::errc() ? value : 0;
}

int UsageIconIndex(long long percent) {
    if (percent <= 3)
        return 0;
    if (percent <= 93)
        return static_cast<int>((percent - 2) / 2); // 2k+2..2k+3 -> k, up to 92..93 -> 45
    if (percent <= 96)
        return 46;
    if (percent <= 98)
        return 47;
    if (percent == 99)
        return 48;
    return 50; // 100, and anything above (which the figures cannot give): a full bar
}

std::string UsageIconLocation(const std::string& systemFolder, int index) {
    return IconLocation(systemFolder + kUsageLibraryFile, index);
}

std::string FigureText(std::uint64_t value) {
    return value == 0 ? std::string() : std::to_string(value);
}

std::string FigureText(const SignedAmount& value) {
    if (value.magnitude == 0)
        return {};
    return (value.negative ? "-" : "") + std::to_string(value.magnitude);
}

std::vector<std::string> FigureLines(std::uint64_t total, std::uint64_t free) {
    return {
        "",
        " Total Number Of Bytes:" + FigureText(total),
        " Total Free Bytes:" + FigureText(free),
        " Total Space Used :" + FigureText(UsedSpace(total, free)),
    };
}

} // namespace zelvo
