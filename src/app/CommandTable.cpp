#include "app/CommandTable.h"

namespace pv {

bool CommandTable::Add(uint32_t id, Handler handler) {
    if (!handler) {
        return false;
    }
    return handlers_.emplace(id, std::move(handler)).second;
}

bool CommandTable::AddRange(uint32_t first, uint32_t last, const Handler& handler) {
    for (uint32_t id = first; id <= last; ++id) {
        if (Has(id)) {
            return false;
        }
    }
    for (uint32_t id = first; id <= last; ++id) {
        Add(id, handler);
    }
    return first <= last;
}

bool CommandTable::Run(uint32_t id) const {
    const auto it = handlers_.find(id);
    if (it == handlers_.end()) {
        return false;
    }
    // A copy: a handler may register or replace commands while it runs.
    const Handler handler = it->second;
    handler(id);
    return true;
}

}  // namespace pv
