// Natively there is no keyboard to poll: a walk is never cancelled by Escape.
#include "platform/CancelPoll.h"

namespace pv {

EscapeKeySample PlatformEscapeSample() {
    return {};
}

}  // namespace pv
