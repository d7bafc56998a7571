// Escape cancels a long walk: the key's "pressed" state, read without a message loop.
#include "base/win32/WinInclude.h"

namespace pv {

bool PlatformEscapePressed() {
    return (static_cast<unsigned short>(GetAsyncKeyState(VK_ESCAPE)) & 0x8001u) != 0;
}

}  // namespace pv
