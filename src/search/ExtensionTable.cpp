#include "search/ExtensionTable.h"

namespace pv {

// WAV appears twice (Windows media and sound) and PSD shares its type id with PCX: both
// are as the dialogs and stored settings have always had them.
const std::array<ExtensionRow, kExtensionCount> ExtensionTable = {{
        {true, 0, MediaKind::Picture, "JPG", " jpg  JPEG"},
        {true, 1, MediaKind::Picture, "JPEG", " jpeg JPEG"},
        {true, 2, MediaKind::Picture, "JFIF", " jfif JPEG"},
        {false, 3, MediaKind::Picture, "GIF", " gif  GIF87, GIF89"},
        {false, 4, MediaKind::Picture, "BMP", " bmp  BITMAP"},
        {false, 5, MediaKind::Picture, "DIB", " dib  BITMAP"},
        {false, 6, MediaKind::Picture, "PSD", " psd  Photoshop"},
        {false, 6, MediaKind::Picture, "PCX", " pcx  Paintbrush"},
        {false, 7, MediaKind::Picture, "TGA", " tga  TrueVision"},
        {false, 8, MediaKind::Picture, "ICO", " ico  Icon"},
        {false, 9, MediaKind::Picture, "CUR", " cur  Cursor"},
        {false, 10, MediaKind::Picture, "WMF", " wmf  WinMetafile"},
        {false, 11, MediaKind::Picture, "EMF", " emf  ExtMetafile"},
        {false, 2000, MediaKind::QuickTime, "MOV", " mov  Quick Time"},
        {false, 2001, MediaKind::QuickTime, "QT", " qt   Quick Time"},
        {false, 2100, MediaKind::Midi, "MID", " mid  MIDI"},
        {false, 2101, MediaKind::Midi, "MIDI", " midi MIDI"},
        {false, 2102, MediaKind::Midi, "RMI", " rmi  MIDI"},
        {false, 2200, MediaKind::Mpeg, "MPG", " mpg  MPEG"},
        {false, 2201, MediaKind::Mpeg, "MPEG", " mpeg MPEG"},
        {false, 2202, MediaKind::Mpeg, "M1V", " m1v  MPEG"},
        {false, 2203, MediaKind::Mpeg, "MP2", " mp2  MPEG"},
        {false, 2204, MediaKind::Mpeg, "MP3", " mp3  MPEG"},
        {false, 2205, MediaKind::Mpeg, "MPA", " mpa  MPEG"},
        {false, 2206, MediaKind::Mpeg, "MPE", " mpe  MPEG"},
        {false, 2300, MediaKind::WindowsMedia, "AVI", " avi  Media"},
        {false, 2301, MediaKind::WindowsMedia, "ASF", " asf  Media"},
        {false, 2302, MediaKind::WindowsMedia, "ASX", " asx  Media"},
        {false, 2303, MediaKind::WindowsMedia, "WAV", " wav  Media"},
        {false, 2304, MediaKind::WindowsMedia, "WMA", " wma  Media"},
        {false, 2305, MediaKind::WindowsMedia, "WAX", " wax  Media"},
        {false, 2400, MediaKind::Sound, "AU", " au   Sound"},
        {false, 2401, MediaKind::Sound, "M3U", " m3u  Sound"},
        {false, 2402, MediaKind::Sound, "SND", " snd  Sound"},
        {false, 2403, MediaKind::Sound, "WAV", " wav  Sound"},
        {false, 2404, MediaKind::Sound, "RA", " ra   Sound"},
}};

std::array<bool, kExtensionCount> DefaultExtensionChecks() {
    std::array<bool, kExtensionCount> checks{};
    for (size_t i = 0; i < kExtensionCount; ++i) {
        checks[i] = ExtensionTable[i].checkedByDefault;
    }
    return checks;
}

}  // namespace pv
