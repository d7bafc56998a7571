// The "Sort Files Dialog": the ten sort keys in a list; OK gives the line chosen.
#pragma once

#include <cstdint>

#include "framework/Dialog.h"

namespace pv {

class CSortFilesDlg final : public Dialog {
public:
    CSortFilesDlg();

    // After OK: the chosen key, -1 when no line was selected.
    int32_t selectedLine = -1;

protected:
    bool OnInitDialog() override;
    void OnOk() override;
};

}  // namespace pv
