// Escape cancels a long walk: the key's state, read without a message loop.
#include "base/win32/WinInclude.h"
#include "platform/CancelPoll.h"

namespace pv {

EscapeKeySample PlatformEscapeSample() {
    const auto state = static_cast<unsigned short>(GetAsyncKeyState(VK_ESCAPE));
    return {(state & 0x8000u) != 0, (state & 0x0001u) != 0};
}

}  // namespace pv
