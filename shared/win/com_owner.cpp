#include "com_owner.h"

#include "system_text.h"

namespace zelvo {

UniqueBstr AnsiToBstr(const std::string& text) {
    const std::wstring wide = WidenAnsi(text);
    if (wide.empty() && !text.empty())
        return {}; // not convertible
    return UniqueBstr(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
}

} // namespace zelvo
