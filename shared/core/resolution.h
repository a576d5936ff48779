// The resolution at 100 %, where 15 twips are one pixel: the one the windows are designed at and
// the pictures drawn for, to which every other resolution is a scale.
#pragma once

namespace zelvo {

inline constexpr unsigned kDefaultDpi = 96;

} // namespace zelvo
