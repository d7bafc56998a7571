// The View and Image commands: zoom, scaling filter, fit to window, the bars, full screen,
// Toggle, Resize and the display effects.
#include <memory>

#include "app/CommandStates.h"
#include "app/win32/FrameCommands.h"
#include "app/win32/MainFrame.h"
#include "base/ResourceIds.h"
#include "view/win32/ResizeDlg.h"

namespace pv {

namespace {

// Zoom and fit change the title's size and zoom texts.
template <typename Action>
CommandTable::Handler Retitling(CMainFrame& frame, Action action) {
    return [&frame, action](uint32_t) {
        action();
        frame.navigator().RefreshTexts();
    };
}

void Resize(CMainFrame& frame, int32_t& filterIndex) {
    const ImageView& m = frame.view().model();
    if (!m.ImageReady()) {
        MessageBeep(MB_OK);
        return;
    }
    CResizeDlg dialog;
    dialog.imageWidth = m.zoom().ImageWidth();
    dialog.imageHeight = m.zoom().ImageHeight();
    dialog.filterIndex = filterIndex;
    if (dialog.DoModal(GetActiveWindow() != nullptr ? GetActiveWindow() : frame.hwnd()) != IDOK) {
        return;
    }
    filterIndex = dialog.filterIndex;
    if (frame.view().ApplyResize(dialog.width, dialog.height, dialog.filterIndex + 1)) {
        frame.navigator().RefreshTexts();
    } else {
        MessageBeep(MB_OK);
    }
}

}  // namespace

void RegisterViewCommands(CMainFrame& frame, CommandTable& table) {
    CTavi5View& view = frame.view();
    table.Add(ID_VIEW_ORIGINAL, Retitling(frame, [&view] { view.OriginalSize(); }));
    table.Add(ID_VIEW_ZOOMIN, Retitling(frame, [&view] { view.ZoomIn(); }));
    table.Add(ID_VIEW_ZOOMOUT, Retitling(frame, [&view] { view.ZoomOut(); }));
    table.Add(ID_VIEW_FITTOWINDOW, Retitling(frame, [&frame, &view] {
                  frame.SetFitToWindow(!frame.fitToWindow());
                  view.SetFitFlag(frame.fitToWindow());
              }));
    table.Add(ID_VIEW_NEAREST, [&view](uint32_t) { view.SetFilter(kFilterNearest); });
    table.Add(ID_VIEW_BILINEAR, [&view](uint32_t) { view.SetFilter(kFilterBilinear); });
    table.Add(ID_VIEW_TOOLBAR, [&frame](uint32_t) { frame.ToggleToolBarBand(); });
    table.Add(ID_VIEW_STATUS_BAR, [&frame](uint32_t) { frame.ToggleStatusBar(); });
    table.Add(ID_VIEW_FULLSCREEN, [&frame](uint32_t) { frame.ToggleFullScreen(); });
    table.Add(ID_VIEW_TOGGLE, [&frame](uint32_t) { frame.Toggle(); });
    // The resize dialog remembers its filter from one use to the next, per frame.
    auto resizeFilter = std::make_shared<int32_t>(1);
    table.Add(ID_IMAGE_RESIZE, [&frame, resizeFilter](uint32_t) { Resize(frame, *resizeFilter); });
    const CommandTable::Handler effect = [&view](uint32_t id) {
        EffectFlags effects = view.model().effects();
        ToggleEffect(effects, id);
        view.SetEffects(effects);
    };
    for (uint32_t id : std::initializer_list<uint32_t>{ID_EFFECT_GRAYSCALE, ID_EFFECT_HFLIP, ID_EFFECT_VFLIP,
                                                       ID_EFFECT_NEGATIVE, ID_EFFECT_GLASS, ID_EFFECT_STIPPLEDGLASS}) {
        table.Add(id, effect);
    }
}

}  // namespace pv
