// The answer of the file test: a lookup that could not be made is neither "there" nor "missing",
// and the steps it guards go ahead.
#pragma once

namespace zelvo {

enum class FileTest { Missing, Present, Failed };

// A copy is made unless the target is known to be there; a deletion unless it is known missing.
inline bool MayCopyTo(FileTest target) {
    return target != FileTest::Present;
}
inline bool MayDelete(FileTest file) {
    return file != FileTest::Missing;
}

} // namespace zelvo
