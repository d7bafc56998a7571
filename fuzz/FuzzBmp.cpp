// libFuzzer target for CBmpToBmp: any bytes must be decoded or refused without a sanitizer
// report, and a decoded picture must lie wholly inside the memory the reader owns.
#include <cstddef>
#include <cstdint>

#include "FuzzTouch.h"
#include "base/ByteReader.h"
#include "imaging/BmpToBmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    if (pv::fuzz::TooLargeForFuzzing(static_cast<int32_t>(pv::LoadU32LE(bytes, 18)),
                                     static_cast<int32_t>(pv::LoadU32LE(bytes, 22)))) {
        return 0;
    }
    pv::CBmpToBmp reader;
    if (reader.Read(bytes) == pv::Status::Ok) {
        pv::fuzz::TouchPicture(reader.image());
    }
    return 0;
}
