// Natively there is no OLE picture object: files only it can render are unreadable here.
#include "imaging/PictureFactory.h"

namespace pv {

std::unique_ptr<PictureReader> MakePictureObjectReader() {
    return nullptr;
}

}  // namespace pv
