// libFuzzer target for CPcxToBmp: any bytes must be decoded or refused without a sanitizer
// report, and a decoded picture must lie wholly inside the memory the reader owns.
#include <cstddef>
#include <cstdint>

#include "FuzzTouch.h"
#include "base/ByteReader.h"
#include "imaging/PcxToBmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    if (pv::fuzz::TooLargeForFuzzing(int64_t{pv::LoadU16LE(bytes, 8)} - pv::LoadU16LE(bytes, 4) + 1,
                                     int64_t{pv::LoadU16LE(bytes, 10)} - pv::LoadU16LE(bytes, 6) + 1)) {
        return 0;
    }
    pv::CPcxToBmp reader;
    if (reader.Read(bytes) == pv::Status::Ok) {
        pv::fuzz::TouchPicture(reader.image());
    }
    return 0;
}
