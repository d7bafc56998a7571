// The list commands: Next, Previous and Begin.
#include "app/win32/FrameCommands.h"
#include "app/win32/MainFrame.h"
#include "base/ResourceIds.h"

namespace pv {

void RegisterListCommands(CMainFrame& frame, CommandTable& table) {
    Navigator& navigator = frame.navigator();
    table.Add(ID_LIST_FORWARD, [&navigator](uint32_t) { navigator.Next(); });
    table.Add(ID_LIST_BACK, [&navigator](uint32_t) { navigator.Previous(); });
    table.Add(ID_LIST_BEGIN, [&navigator](uint32_t) { navigator.Begin(); });
}

}  // namespace pv
