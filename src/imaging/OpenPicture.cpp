#include "imaging/OpenPicture.h"

#include <vector>

#include "imaging/PictureFactory.h"
#include "imaging/ReaderChoice.h"
#include "platform/FileSystem.h"

namespace pv {

namespace {

Status ReadWith(ReaderKind kind, std::span<const uint8_t> bytes, OpenedPicture& out, uint8_t cursorBackground) {
    std::unique_ptr<PictureReader> reader = MakeReader(kind, cursorBackground);
    if (!reader) {
        return Status::Unsupported;
    }
    Status s = reader->Read(bytes);
    if (s == Status::Unsupported && kind != ReaderKind::PictureObject) {
        return ReadWith(ReaderKind::PictureObject, bytes, out, cursorBackground);
    }
    if (s != Status::Ok) {
        return s;
    }
    out.reader = std::move(reader);
    return Status::Ok;
}

}  // namespace

Status OpenPictureBytes(ReaderKind kind, std::span<const uint8_t> bytes, OpenedPicture& out, uint8_t cursorBackground) {
    out = {};
    if (kind == ReaderKind::Media) {
        out.isMedia = true;
        return Status::Ok;
    }
    if (kind == ReaderKind::JpegByContent) {
        switch (JpegContentKind(bytes.first(bytes.size() < 4 ? bytes.size() : 4))) {
        case JpegContent::Jpeg: break;
        case JpegContent::PictureObject: kind = ReaderKind::PictureObject; break;
        case JpegContent::Nothing: out.namedJpegWithUnknownContent = true; return Status::Ok;
        }
    }
    return ReadWith(kind, bytes, out, cursorBackground);
}

Status OpenPictureFile(const std::string& path, ReaderKind kind, OpenedPicture& out, uint8_t cursorBackground) {
    out = {};
    if (kind == ReaderKind::Media) {
        out.isMedia = true;
        return Status::Ok;
    }
    std::vector<uint8_t> bytes;
    if (Status s = ReadWholeFile(path, bytes); s != Status::Ok) {
        return s;
    }
    return OpenPictureBytes(kind, bytes, out, cursorBackground);
}

Status OpenPictureFile(const std::string& path, OpenedPicture& out) {
    return OpenPictureFile(path, ReaderForPath(path), out);
}

Status OpenPictureBytes(const std::string& path, std::span<const uint8_t> bytes, OpenedPicture& out) {
    return OpenPictureBytes(ReaderForPath(path), bytes, out);
}

}  // namespace pv
