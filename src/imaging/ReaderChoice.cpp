#include "imaging/ReaderChoice.h"

#include "base/Text.h"

namespace pv {

const std::array<std::string_view, 27> kMediaExtensions = {
        ".ASF", ".MP3",  ".ASX", ".WAX", ".AVI",  ".MPG",  ".MPEG", ".MOV", ".QT",
        ".MID", ".MIDI", ".RMI", ".AIF", ".AIFC", ".AIFF", ".AU",   ".M1V", ".MPE",
        ".MP2", ".MPA",  ".M3U", ".SND", ".RA",   ".WAV",  ".WM",   ".WMA", ".WMV",
};

namespace {

struct ImageRow {
    std::string_view extension;
    ReaderKind kind;
};

constexpr std::array<ImageRow, 10> kImageRows = {{
        {".PSD", ReaderKind::Psd},
        {".PCX", ReaderKind::Pcx},
        {".TGA", ReaderKind::Tga},
        {".BMP", ReaderKind::Bmp},
        {".GIF", ReaderKind::Gif},
        {".JPG", ReaderKind::JpegByContent},
        {".JPEG", ReaderKind::JpegByContent},
        {".JFIF", ReaderKind::JpegByContent},
        {".ICO", ReaderKind::Ico},
        {".CUR", ReaderKind::Cur},
}};

}  // namespace

bool IsMediaExtension(std::string_view extension) {
    for (std::string_view media : kMediaExtensions) {
        if (EqualsNoCase(extension, media)) {
            return true;
        }
    }
    return false;
}

ReaderKind ReaderForPath(std::string_view path) {
    std::string_view ext = ExtensionOf(path);
    if (IsMediaExtension(ext)) {
        return ReaderKind::Media;
    }
    for (const ImageRow& row : kImageRows) {
        if (EqualsNoCase(ext, row.extension)) {
            return row.kind;
        }
    }
    return ReaderKind::PictureObject;
}

JpegContent JpegContentKind(std::span<const uint8_t> firstBytes) {
    if (firstBytes.size() >= 2 && firstBytes[0] == 0xFF && firstBytes[1] == 0xD8) {
        return JpegContent::Jpeg;
    }
    if (firstBytes.size() >= 3 && firstBytes[0] == 'G' && firstBytes[1] == 'I' && firstBytes[2] == 'F') {
        return JpegContent::PictureObject;
    }
    if (firstBytes.size() >= 2 && firstBytes[0] == 'B' && firstBytes[1] == 'M') {
        return JpegContent::PictureObject;
    }
    return JpegContent::Nothing;
}

}  // namespace pv
