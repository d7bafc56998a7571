// COptionsDlg: which file types open in Pictavo from the shell, and which file manager
// "go to the file manager" returns to.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "framework/Dialog.h"
#include "search/ExtensionTable.h"

namespace pv {

class COptionsDlg final : public Dialog {
public:
    COptionsDlg();

    // The program the shell keys start: the running program unless a caller says otherwise.
    std::string programPath;

protected:
    bool OnInitDialog() override;
    void OnOk() override;
    void OnCommand(UINT id, UINT code, HWND control) override;

private:
    [[nodiscard]] HWND List() const;
    void FillList();
    void Tick(int row, bool on) const;
    [[nodiscard]] bool IsTicked(int row) const;
    void Show(const char* text, const char* caption, UINT style, WORD language) const;

    // The dialog's own copy of the table, made on each opening.
    std::array<ExtensionRow, kExtensionCount> rows_{};
    std::array<bool, kExtensionCount> ticks_{};
    int32_t fileManager_ = 0;
};

}  // namespace pv
