// Process-wide bookkeeping of the window layer: which message loop serves which thread,
// and the top-level windows still alive. Frame threads register themselves here.
#pragma once

#include "framework/MessageLoop.h"

namespace pv {

class Module {
public:
    static void AddMessageLoop(MessageLoop* loop);  // for the calling thread
    static void RemoveMessageLoop();                // the calling thread's entry
    static MessageLoop* GetMessageLoop();           // the calling thread's loop, or null
    static size_t LoopCount();

    static void AddWindow(HWND hwnd);
    static void RemoveWindow(HWND hwnd);
    static HWND FirstWindow();
};

}  // namespace pv
