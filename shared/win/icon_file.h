// Icon files as the system's icon reader sees them, checked before it reads them.
#pragma once

#include <cstdint>
#include <string>

namespace zelvo {

// False for a file that the icon reader would take for an icon file whose directory runs beyond
// its end (the reader trusts it and reads on). A file that cannot be opened is left to the reader.
bool IconDirectoryIsSound(const std::string& path);

enum class IconAt { Unknown, NoIcon, Present };

// Whether an existing file holds an icon at `index` as an icon location names it: the index-th
// icon, or for a negative index the icon group of resource id -index. Unknown when the file
// cannot be read so (a resource id in a file that is no resource module).
IconAt IconAtIndex(const std::string& path, std::int32_t index);

} // namespace zelvo
