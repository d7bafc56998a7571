// The list commands: Next, Previous, Begin and the nine sort keys of the menu.
#include "app/win32/FrameCommands.h"
#include "app/win32/MainFrame.h"
#include "base/ResourceIds.h"
#include "search/Ordering.h"

namespace pv {

void RegisterListCommands(CMainFrame& frame, CommandTable& table) {
    Navigator& navigator = frame.navigator();
    table.Add(ID_LIST_FORWARD, [&navigator](uint32_t) { navigator.Next(); });
    table.Add(ID_LIST_BACK, [&navigator](uint32_t) { navigator.Previous(); });
    table.Add(ID_LIST_BEGIN, [&navigator](uint32_t) { navigator.Begin(); });
    table.AddRange(ID_SORT_FIRST, ID_SORT_LAST, [&frame, &navigator](uint32_t id) {
        if (frame.EntryCount() != 0) {
            navigator.SortKeepingCurrent(
                    [&frame, id] { RunMenuSort(frame.lists(), static_cast<int>(id), [](int32_t) {}); });
        }
    });
}

}  // namespace pv
