// The rebar that holds the frame's bars as bands, and the few band operations the frame needs:
// add a band, show or hide it by its id, ask whether it shows.
#pragma once

#include "framework/WinInclude.h"

namespace pv {

struct BandSpec {
    HWND child = nullptr;
    UINT bandId = 0;
    bool newRow = true;  // start a new row (a band break)
    int minHeight = 0;   // 0: the child's height
    int idealWidth = 0;  // 0: the child's width
    bool fixed = false;  // no gripper
};

// A rebar along the top of parent. Returns null on failure.
HWND CreateRebar(HWND parent, UINT id);
// Appends a band; false on failure.
bool AddRebarBand(HWND rebar, const BandSpec& band);
// The band's index, or -1.
int RebarBandIndex(HWND rebar, UINT bandId);
void ShowRebarBand(HWND rebar, UINT bandId, bool show);
bool IsRebarBandVisible(HWND rebar, UINT bandId);
// The rebar's height as laid out now.
int RebarHeight(HWND rebar);

}  // namespace pv
