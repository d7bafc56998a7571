// An exception inside a window or dialog procedure stays on our side of Windows: the message
// gets its default answer, the user one fatal message, and the thread's loop is told to end.
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/ResourceIds.h"
#include "framework/CallbackGuard.h"
#include "framework/Dialog.h"
#include "framework/Window.h"

namespace pv {
namespace {

std::vector<std::string> gReports;

void RecordReport(const std::string& what) {
    gReports.push_back(what);
}

// The exit code of a WM_QUIT waiting in this thread's queue (taken out), or -1.
int TakeQuit() {
    MSG msg{};
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(msg.wParam) : -1;
}

class ThrowingWindow final : public Window {
protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_GETTEXTLENGTH) {
            throw std::runtime_error("window failed");
        }
        return Window::OnMessage(msg, wp, lp);
    }
};

class ThrowingDialog final : public Dialog {
public:
    explicit ThrowingDialog(bool inInit) : Dialog(IDD_ABOUT), inInit_(inInit) {}

protected:
    bool OnInitDialog() override {
        if (inInit_) {
            throw std::runtime_error("init failed");
        }
        return true;
    }

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_APP) {
            throw std::logic_error("dialog failed");
        }
        return Dialog::OnMessage(msg, wp, lp);
    }

private:
    bool inInit_;
};

class CallbackGuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        gReports.clear();
        SetCallbackFailureReporter(&RecordReport);
    }

    void TearDown() override {
        SetCallbackFailureReporter(nullptr);
        TakeQuit();
    }
};

TEST_F(CallbackGuardTest, WindowProcedureGivesTheDefaultAnswerAndEndsTheLoop) {
    ThrowingWindow window;
    WindowCreateArgs args;
    args.className = L"PictavoCallbackGuardTest";
    args.title = L"CallbackGuardTest window";
    args.style = WS_OVERLAPPEDWINDOW;
    ASSERT_TRUE(window.Create(args));
    EXPECT_EQ(TakeQuit(), -1);
    // DefWindowProc's answer: the length of the title.
    EXPECT_EQ(SendMessageW(window.hwnd(), WM_GETTEXTLENGTH, 0, 0), 24);
    EXPECT_EQ(gReports, std::vector<std::string>{"window failed"});
    EXPECT_EQ(TakeQuit(), kCallbackFailureExitCode);
    EXPECT_TRUE(IsWindow(window.hwnd()));  // the loop's end, not the exception, closes it
}

TEST_F(CallbackGuardTest, DialogProcedureAnswersAsUnhandledAndEndsTheLoop) {
    ThrowingDialog dialog(false);
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    EXPECT_EQ(SendMessageW(dialog.hwnd(), WM_APP, 0, 0), 0);
    EXPECT_EQ(gReports, std::vector<std::string>{"dialog failed"});
    EXPECT_EQ(TakeQuit(), kCallbackFailureExitCode);

    ThrowingDialog failsInInit(true);
    EXPECT_TRUE(failsInInit.CreateModeless(nullptr));
    EXPECT_EQ(gReports, (std::vector<std::string>{"dialog failed", "init failed"}));
    EXPECT_EQ(TakeQuit(), kCallbackFailureExitCode);
}

}  // namespace
}  // namespace pv
