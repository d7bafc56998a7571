// Why a core operation failed. Portable; at the program's boundaries this becomes
// the integer result (nonzero success, 0 failure) and, where one exists, a message.
#pragma once

namespace pv {

enum class Status {
    Ok,
    NotThisFormat,  // the bytes are some other kind of file
    BadHeader,      // the file's own header is inconsistent
    BadData,        // the pixel data is corrupt beyond what we can show
    Truncated,      // the data ends early; what was read may still be shown
    Unsupported,    // a valid file of a variant we do not read
    TooLarge,       // our decode budget, not the file, says no
    OutOfMemory,
    NotFound,
    IoError,
    Cancelled,
};

const char* StatusText(Status status);

}  // namespace pv
