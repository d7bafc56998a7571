// Which reader opens a file: the open-by-type table, by extension, in its fixed order.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace pv {

enum class ReaderKind {
    Media,
    Psd,
    Pcx,
    Tga,
    Bmp,
    Gif,
    JpegByContent,
    Ico,
    Cur,
    PictureObject
};

// The 27 media extensions, in the order they are tested.
extern const std::array<std::string_view, 27> kMediaExtensions;

bool IsMediaExtension(std::string_view extension);

// Reader for a path, by the extension of its file-name part, compared without case.
ReaderKind ReaderForPath(std::string_view path);

// What a file named as JPEG really holds, from its first bytes (fewer than four bytes of a
// file that could be read count as "anything else").
enum class JpegContent {
    Jpeg,
    PictureObject,
    Nothing
};
JpegContent JpegContentKind(std::span<const uint8_t> firstBytes);

}  // namespace pv
