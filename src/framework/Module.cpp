#include "framework/Module.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace pv {

namespace {

struct ModuleState {
    std::mutex lock;
    std::vector<std::pair<DWORD, MessageLoop*>> loops;
    std::vector<HWND> windows;
};

ModuleState& State() {
    static ModuleState state;
    return state;
}

}  // namespace

void Module::AddMessageLoop(MessageLoop* loop) {
    ModuleState& s = State();
    std::lock_guard guard(s.lock);
    s.loops.emplace_back(GetCurrentThreadId(), loop);
}

void Module::RemoveMessageLoop() {
    ModuleState& s = State();
    std::lock_guard guard(s.lock);
    DWORD id = GetCurrentThreadId();
    auto it = std::find_if(s.loops.begin(), s.loops.end(), [id](const auto& e) { return e.first == id; });
    if (it != s.loops.end()) {
        s.loops.erase(it);
    }
}

MessageLoop* Module::GetMessageLoop() {
    ModuleState& s = State();
    std::lock_guard guard(s.lock);
    DWORD id = GetCurrentThreadId();
    for (const auto& [thread, loop] : s.loops) {
        if (thread == id) {
            return loop;
        }
    }
    return nullptr;
}

size_t Module::LoopCount() {
    ModuleState& s = State();
    std::lock_guard guard(s.lock);
    return s.loops.size();
}

void Module::AddWindow(HWND hwnd) {
    ModuleState& s = State();
    std::lock_guard guard(s.lock);
    s.windows.push_back(hwnd);
}

void Module::RemoveWindow(HWND hwnd) {
    ModuleState& s = State();
    std::lock_guard guard(s.lock);
    s.windows.erase(std::remove(s.windows.begin(), s.windows.end(), hwnd), s.windows.end());
}

HWND Module::FirstWindow() {
    ModuleState& s = State();
    std::lock_guard guard(s.lock);
    return s.windows.empty() ? nullptr : s.windows.front();
}

}  // namespace pv
