#include "imaging/PictureFactory.h"

#include "imaging/BmpToBmp.h"
#include "imaging/CurToBmp.h"
#include "imaging/GifToBmp.h"
#include "imaging/IcoToBmp.h"
#include "imaging/JpgToBmp.h"
#include "imaging/PcxToBmp.h"
#include "imaging/PsdToBmp.h"
#include "imaging/TgaToBmp.h"

namespace pv {

std::unique_ptr<PictureReader> MakeReader(ReaderKind kind, uint8_t cursorBackground) {
    switch (kind) {
    case ReaderKind::Bmp: return std::make_unique<CBmpToBmp>();
    case ReaderKind::PictureObject: return MakePictureObjectReader();
    case ReaderKind::Media:
    case ReaderKind::JpegByContent: return std::make_unique<CJpgToBmp>();
    case ReaderKind::Gif: return std::make_unique<CGifToBmp>();
    case ReaderKind::Psd: return std::make_unique<CPsdToBmp>();
    case ReaderKind::Pcx: return std::make_unique<CPcxToBmp>();
    case ReaderKind::Tga: return std::make_unique<CTgaToBmp>();
    case ReaderKind::Ico: return std::make_unique<CIcoToBmp>();
    case ReaderKind::Cur: return std::make_unique<CCurToBmp>(cursorBackground);
    }
    return nullptr;
}

}  // namespace pv
