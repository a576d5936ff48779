#include "com_owner.h"

namespace zelvo {

UniqueBstr AnsiToBstr(const std::string& text) {
    if (text.empty())
        return UniqueBstr(SysAllocString(L""));
    const int size = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (wideLength <= 0)
        return {};
    UniqueBstr bstr(SysAllocStringLen(nullptr, static_cast<UINT>(wideLength)));
    if (bstr &&
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, bstr.get(), wideLength) != wideLength)
        bstr.reset();
    return bstr;
}

} // namespace zelvo
