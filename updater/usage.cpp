#include "usage.h"

#include "layout.h"

#include <cfloat>
#include <charconv>
#include <limits>

namespace zelvo {

namespace {

constexpr long long kMaxPercent = std::numeric_limits<long long>::max();

// The percent is decided by comparing the quotient with the doubles nearest to the halves, so
// both operands must be IEEE doubles: an x87 build (FLT_EVAL_METHOD 2) keeps 64-bit mantissas
// in between and picks another icon at some halves. The i686 build uses SSE2 for this.
static_assert(FLT_EVAL_METHOD == 0, "the usage percent needs IEEE double arithmetic");

// Below 2^40 a quotient's shortest round-trip text is a half (k + 1/2) / 100 exactly when the
// nearest double to that half is q, so rounding there follows that text ("0.035" for
// 350.0 / 10000) rather than the binary neighbour just below the half. Larger quotients only
// come from free space far beyond the total, a negative percent that always gives the empty bar.
constexpr double kNarrowBelow = 1099511627776.0; // 2^40
// 2^63: the first hundredths count beyond kMaxPercent.
constexpr double kClampAt = 9223372036854775808.0;

// The double nearest to (k + 1/2) / 100, where rounding up to k + 1 begins (the division of
// exact integers rounds correctly).
double HalfwayAbove(long long k) {
    return static_cast<double>(2 * k + 1) / 200.0;
}

// round(q * 100) with halves up, for q >= 0; huge quotients are truncated and clamped.
long long RoundedHundredths(double q) {
    if (q >= kNarrowBelow)
        return q * 100.0 >= kClampAt ? kMaxPercent : static_cast<long long>(q * 100.0);
    auto hundredths = static_cast<long long>(q * 100.0);
    while (hundredths > 0 && HalfwayAbove(hundredths - 1) > q)
        --hundredths;
    while (HalfwayAbove(hundredths) <= q)
        ++hundredths;
    return hundredths;
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
