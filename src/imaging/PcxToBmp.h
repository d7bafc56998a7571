// CPcxToBmp: ZSoft PCX files with 8 bits per plane, one plane with the 256-colour palette
// after the data or three planes red, green, blue. Always a 24-bit top-down picture.
#pragma once

#include "imaging/ClassHeap.h"
#include "imaging/PictureReader.h"

namespace pv {

// Shown by the view in a message box (empty caption, OK button) when the rows of a PCX
// picture cannot be allocated.
inline constexpr const char kPcxNoMemoryMessage[] = "Can't allocate memory for the image";

class CPcxToBmp final : public PictureReader {
public:
    // Ok (a file that ends early shows the lines it holds, the rest black), Unsupported
    // for bit depths other than 8 per plane and plane counts other than 1 and 3,
    // BadHeader for empty sizes or a line length shorter than the width, TooLarge beyond
    // the decode budget, OutOfMemory (then UserMessage() holds the text to show).
    [[nodiscard]] Status Read(std::span<const uint8_t> file) override;

    // The message the view must show for the last Read, or null when there is none.
    [[nodiscard]] const char* UserMessage() const { return userMessage_; }

private:
    HeapBlock rows_;
    HeapBlock line_;  // one row of indices while they become colours, or the three plane lines of a row
    const char* userMessage_ = nullptr;
};

}  // namespace pv
