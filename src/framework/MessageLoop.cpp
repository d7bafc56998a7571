#include "framework/MessageLoop.h"

#include <algorithm>

namespace pv {

void MessageLoop::RemoveMessageFilter(MessageFilter* filter) {
    filters_.erase(std::remove(filters_.begin(), filters_.end(), filter), filters_.end());
}

void MessageLoop::RemoveIdleHandler(IdleHandler* handler) {
    idleHandlers_.erase(std::remove(idleHandlers_.begin(), idleHandlers_.end(), handler), idleHandlers_.end());
}

bool MessageLoop::IsIdleMessage(const MSG& msg) {
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case 0x0118:  // WM_SYSTIMER: the caret blink
        return false;
    default: return true;
    }
}

bool MessageLoop::PreTranslateMessage(MSG* msg) {
    for (auto it = filters_.rbegin(); it != filters_.rend(); ++it) {
        if ((*it)->PreTranslateMessage(msg)) {
            return true;
        }
    }
    return false;
}

bool MessageLoop::OnIdle(int /*idleCount*/) {
    bool more = false;
    for (IdleHandler* handler : idleHandlers_) {
        more = handler->OnIdle() || more;
    }
    return more;
}

int MessageLoop::Run() {
    bool doIdle = true;
    int idleCount = 0;
    for (;;) {
        while (doIdle && !PeekMessageW(&msg_, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) {
                doIdle = false;
            }
        }
        BOOL ret = GetMessageW(&msg_, nullptr, 0, 0);
        if (ret == -1) {
            continue;
        }
        if (ret == 0) {
            break;
        }
        if (!PreTranslateMessage(&msg_)) {
            TranslateMessage(&msg_);
            DispatchMessageW(&msg_);
        }
        if (IsIdleMessage(msg_)) {
            doIdle = true;
            idleCount = 0;
        }
    }
    return static_cast<int>(msg_.wParam);
}

}  // namespace pv
