// The title that the shared modules give their message boxes in this test program.
#include "program.h"

namespace zelvo {
const char kProgramTitle[] = "ZelvoTests";
}
