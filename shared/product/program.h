// What each program says about itself to the shared modules.
#pragma once

namespace zelvo {

// The running program's title ("ZelvoDrv", "ZDrvs" or "Purgo"): the title of its message boxes.
// Each program defines it once.
extern const char kProgramTitle[];

} // namespace zelvo
