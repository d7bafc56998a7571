// CMTNorelMsgLoop: a frame thread's message loop with the thread's frame inside it, so
// loop and frame live and die together on the thread's stack.
#pragma once

#include <string>

#include "app/win32/MainFrame.h"
#include "framework/MessageLoop.h"

namespace pv {

class CMTNorelMsgLoop final : public MessageLoop {
public:
    explicit CMTNorelMsgLoop(SharedLists& lists) : frame_(lists) {}

    // Everything a frame thread does between registering its loop and removing it; the
    // loop's exit code, or 0 when the frame window could not be created.
    int RunFrame(const std::string& commandTail, int showCommand);

    CMainFrame& frame() { return frame_; }

protected:
    bool PreTranslateMessage(MSG* msg) override { return frame_.PreTranslateMessage(msg); }

    bool OnIdle(int /*idleCount*/) override {
        frame_.OnIdle();
        return false;
    }

private:
    CMainFrame frame_;
};

}  // namespace pv
