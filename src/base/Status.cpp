#include "base/Status.h"

namespace pv {

const char* StatusText(Status status) {
    switch (status) {
    case Status::Ok: return "ok";
    case Status::NotThisFormat: return "not this format";
    case Status::BadHeader: return "bad header";
    case Status::BadData: return "bad data";
    case Status::Truncated: return "truncated input";
    case Status::Unsupported: return "unsupported variant";
    case Status::TooLarge: return "picture exceeds the decode budget";
    case Status::OutOfMemory: return "out of memory";
    case Status::NotFound: return "file not found";
    case Status::IoError: return "read error";
    case Status::Cancelled: return "cancelled";
    }
    return "unknown";
}

}  // namespace pv
