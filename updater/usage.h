// The usage-bar updater's decisions, free of Windows: a drive's usage percent from its space
// figures, the usage-bar icon for a percent, and the figure lines printed on the window.
#pragma once

#include "layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelvo {

// The used space, total - free, as a signed amount. Held as sign and magnitude so that every
// pair of 64-bit figures has one without overflow (free exceeds total under disk quotas).
struct SignedAmount {
    bool negative = false;
    std::uint64_t magnitude = 0;
};
SignedAmount UsedSpace(std::uint64_t total, std::uint64_t free);

// The usage percent: the quotient used / total in double, rounded to two decimals with halves
// up (away from zero for a negative quotient), times 100. Rounding follows the quotient's
// shortest round-trip decimal text, so 0.035 gives 4 and 0.995 gives 100 although the doubles
// lie just below the halves. A total of 0 gives 0. Quotients of 2^40 and more (free space far
// beyond the total) are truncated, and results beyond long long clamped.
long long UsagePercent(std::uint64_t total, std::uint64_t free);

// The usage percent as txtPercentUsed holds it (decimal digits, a leading '-' when negative),
// and back. Text that is no number reads as 0; a number beyond long long is clamped.
std::string PercentText(long long percent);
long long PercentFromText(const std::string& text);

// The icon index for a usage percent, one of the usage-bar library's kUsageIconCount icons.
int UsageIconIndex(long long percent);

// The icon location of a usage-bar icon: "<system folder>\ZelvoPrg.icl,<index>" (with an empty
// folder, "\ZelvoPrg.icl,<index>").
std::string UsageIconLocation(const std::string& systemFolder, int index);

// A figure as printed after its label: decimal digits without grouping, nothing for zero.
std::string FigureText(std::uint64_t value);
std::string FigureText(const SignedAmount& value);

// The lines printed on the window for one drive: an empty line, then total, free and used,
// each a label directly followed by its figure.
std::vector<std::string> FigureLines(std::uint64_t total, std::uint64_t free);

} // namespace zelvo
