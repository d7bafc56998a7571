#include "framework/Rebar.h"

namespace pv {

HWND CreateRebar(HWND parent, UINT id) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | RBS_VARHEIGHT | RBS_BANDBORDERS |
                  RBS_AUTOSIZE | CCS_NODIVIDER | CCS_TOP;
    HWND rebar =
            CreateWindowExW(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (rebar != nullptr) {
        REBARINFO info{};
        info.cbSize = sizeof info;
        SendMessageW(rebar, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
    }
    return rebar;
}

bool AddRebarBand(HWND rebar, const BandSpec& band) {
    RECT rc{};
    GetWindowRect(band.child, &rc);
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_ID | RBBIM_IDEALSIZE | RBBIM_SIZE;
    info.fStyle = RBBS_CHILDEDGE | (band.newRow ? RBBS_BREAK : 0u) | (band.fixed ? RBBS_NOGRIPPER : RBBS_GRIPPERALWAYS);
    info.hwndChild = band.child;
    info.wID = band.bandId;
    int width = band.idealWidth > 0 ? band.idealWidth : rc.right - rc.left;
    info.cxMinChild = 0;
    info.cyMinChild = static_cast<UINT>(band.minHeight > 0 ? band.minHeight : rc.bottom - rc.top);
    info.cxIdeal = static_cast<UINT>(width);
    info.cx = static_cast<UINT>(width);
    return SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info)) != 0;
}

int RebarBandIndex(HWND rebar, UINT bandId) {
    return static_cast<int>(SendMessageW(rebar, RB_IDTOINDEX, bandId, 0));
}

void ShowRebarBand(HWND rebar, UINT bandId, bool show) {
    int index = RebarBandIndex(rebar, bandId);
    if (index >= 0) {
        SendMessageW(rebar, RB_SHOWBAND, static_cast<WPARAM>(index), show ? TRUE : FALSE);
    }
}

bool IsRebarBandVisible(HWND rebar, UINT bandId) {
    int index = RebarBandIndex(rebar, bandId);
    if (index < 0) {
        return false;
    }
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_STYLE;
    SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    return (info.fStyle & RBBS_HIDDEN) == 0;
}

int RebarHeight(HWND rebar) {
    return static_cast<int>(SendMessageW(rebar, RB_GETBARHEIGHT, 0, 0));
}

}  // namespace pv
