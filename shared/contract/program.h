// Each program's title: the title of its message boxes, and of the remover's window.
#pragma once

namespace zelvo {

inline constexpr char kChangerTitle[] = "ZelvoDrv";
inline constexpr char kUpdaterTitle[] = "ZDrvs";
inline constexpr char kRemoverTitle[] = "Purgo";

} // namespace zelvo
