// CMruList: the recent files as a drop-down list under a tool-bar button. Enter or a
// double-click on line k sends the frame the recent-file command 57616 + k; the list hides
// when it loses the focus and keeps the size the user gave it.
#pragma once

#include <string>
#include <vector>

#include "framework/WinInclude.h"

namespace pv {

class CMruList {
public:
    CMruList() = default;
    CMruList(const CMruList&) = delete;
    CMruList& operator=(const CMruList&) = delete;
    ~CMruList();

    // Shows `entries` (most recent first) with its top-left corner at `at` (screen).
    void Show(HWND frame, POINT at, const std::vector<std::string>& entries);

    [[nodiscard]] HWND hwnd() const { return list_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    bool Create(HWND frame);
    void Choose();
    void Hide();

    HWND list_ = nullptr;
    HWND frame_ = nullptr;
    SIZE size_{200, 150};
};

}  // namespace pv
