// libFuzzer target for CIcoToBmp: any bytes must be decoded or refused without a sanitizer
// report, and a decoded picture must lie wholly inside the memory the reader owns.
#include <cstddef>
#include <cstdint>

#include "FuzzTouch.h"
#include "imaging/IcoToBmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pv::CIcoToBmp reader;
    if (reader.Read({data, size}) == pv::Status::Ok) {
        pv::fuzz::TouchPicture(reader.image());
    }
    return 0;
}
