#include "usage.h"

#include "layout.h"

#include <charconv>
#include <limits>

namespace zelvo {

namespace {

constexpr long long kMaxPercent = std::numeric_limits<long long>::max();

// Appends a decimal digit to a non-negative value, saturating at kMaxPercent.
long long AppendDigit(long long value, int digit) {
    if (value > (kMaxPercent - digit) / 10)
        return kMaxPercent;
    return value * 10 + digit;
}

// round(q * 100) with halves up, for q >= 0, from the shortest decimal text of q that reads
// back as the same double ("0.035" for 350.0 / 10000), so the decision is made on the decimal
// value the quotient stands for rather than on its binary neighbour just below the half.
long long RoundedHundredths(double q) {
    // |q| lies in [2^-64, 2^64]: the fixed text has at most about 60 characters.
    char text[128];
    const std::to_chars_result result =
        std::to_chars(text, text + sizeof text, q, std::chars_format::fixed);
    if (result.ec != std::errc())
        return 0;
    const std::string decimal(text, result.ptr);
    const std::string::size_type point = decimal.find('.');
    const std::string whole = decimal.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : decimal.substr(point + 1);
    const auto fractionDigit = [&fraction](std::string::size_type i) {
        return i < fraction.size() ? fraction[i] - '0' : 0;
    };
    long long hundredths = 0;
    for (char c : whole)
        hundredths = AppendDigit(hundredths, c - '0');
    hundredths = AppendDigit(hundredths, fractionDigit(0));
    hundredths = AppendDigit(hundredths, fractionDigit(1));
    if (fractionDigit(2) >= 5 && hundredths < kMaxPercent)
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
