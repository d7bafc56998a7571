// libFuzzer target for CPsdToBmp: any bytes must be decoded or refused without a sanitizer
// report, and a decoded picture must lie wholly inside the memory the reader owns.
#include <cstddef>
#include <cstdint>

#include "FuzzTouch.h"
#include "base/ByteReader.h"
#include "imaging/PsdToBmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    if (pv::fuzz::TooLargeForFuzzing(pv::fuzz::LoadU32BE(bytes, 18), pv::fuzz::LoadU32BE(bytes, 14))) {
        return 0;
    }
    pv::CPsdToBmp reader;
    if (reader.Read(bytes) == pv::Status::Ok) {
        pv::fuzz::TouchPicture(reader.image());
    }
    return 0;
}
