// Process entry of Pictavo.exe: the command tail and the show command, then the main
// thread's run, whose result ends the process.
#include "app/CommandTail.h"
#include "app/win32/FrameThreads.h"
#include "base/win32/Wide.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    std::string line = pv::Narrow(GetCommandLineW());
    std::string tail(pv::CommandTailFrom(line));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    GetStartupInfoW(&si);
    int show = (si.dwFlags & STARTF_USESHOWWINDOW) != 0 ? si.wShowWindow : SW_SHOWDEFAULT;
    ExitProcess(static_cast<UINT>(pv::RunMainThread(tail, show)));
}
