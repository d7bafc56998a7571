// The frame's commands: each id maps to one handler. Features register their handlers from
// their own files, so adding a command does not grow one switch in the frame.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

namespace pv {

class CommandTable {
public:
    using Handler = std::function<void(uint32_t id)>;

    // False (and the table unchanged) when the id already has a handler: two features
    // claiming one command is a mistake to see at once, not a silent override.
    bool Add(uint32_t id, Handler handler);
    // The same handler for first..last (the nine sort keys, the recent files).
    bool AddRange(uint32_t first, uint32_t last, const Handler& handler);

    [[nodiscard]] bool Has(uint32_t id) const { return handlers_.count(id) != 0; }

    // Runs the id's handler; false when there is none (the default frame processing).
    bool Run(uint32_t id) const;

private:
    std::map<uint32_t, Handler> handlers_;
};

}  // namespace pv
