#include "view/BackgroundGrey.h"

namespace pv {

std::atomic<uint8_t>& BackgroundGrey() {
    static std::atomic<uint8_t> grey{kStartupBackgroundGrey};
    return grey;
}

}  // namespace pv
