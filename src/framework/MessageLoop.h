// A thread's message loop with message filters and idle handlers. Idle work runs while the
// queue is empty and is re-armed by every message except the frequent ones that change
// nothing (mouse moves, paint, the caret timer).
#pragma once

#include <vector>

#include "framework/WinInclude.h"

namespace pv {

class MessageFilter {
public:
    virtual ~MessageFilter() = default;
    // True when the message was handled and must not be dispatched.
    virtual bool PreTranslateMessage(MSG* msg) = 0;
};

class IdleHandler {
public:
    virtual ~IdleHandler() = default;
    // True while there is more idle work to do.
    virtual bool OnIdle() = 0;
};

class MessageLoop {
public:
    MessageLoop() = default;
    MessageLoop(const MessageLoop&) = delete;
    MessageLoop& operator=(const MessageLoop&) = delete;
    virtual ~MessageLoop() = default;

    void AddMessageFilter(MessageFilter* filter) { filters_.push_back(filter); }

    void RemoveMessageFilter(MessageFilter* filter);

    void AddIdleHandler(IdleHandler* handler) { idleHandlers_.push_back(handler); }

    void RemoveIdleHandler(IdleHandler* handler);

    // Pumps until WM_QUIT; returns its wParam.
    int Run();

    // The messages that do not re-arm idle processing.
    static bool IsIdleMessage(const MSG& msg);

protected:
    // Default: the registered filters, last registered first.
    virtual bool PreTranslateMessage(MSG* msg);
    // Default: every idle handler; answers whether any wants to be called again.
    virtual bool OnIdle(int idleCount);

private:
    std::vector<MessageFilter*> filters_;
    std::vector<IdleHandler*> idleHandlers_;
    MSG msg_{};
};

}  // namespace pv
