#include "search/ExtensionTable.h"

namespace pv {

// WAV appears twice (Windows media and sound) and PSD shares its type id with PCX: both
// are as the dialogs and stored settings have always had them.
std::array<ExtensionRow, kExtensionCount> ExtensionTable = {{
        {1, 0, 0, "JPG", " jpg  JPEG"},
        {1, 1, 0, "JPEG", " jpeg JPEG"},
        {1, 2, 0, "JFIF", " jfif JPEG"},
        {0, 3, 0, "GIF", " gif  GIF87, GIF89"},
        {0, 4, 0, "BMP", " bmp  BITMAP"},
        {0, 5, 0, "DIB", " dib  BITMAP"},
        {0, 6, 0, "PSD", " psd  Photoshop"},
        {0, 6, 0, "PCX", " pcx  Paintbrush"},
        {0, 7, 0, "TGA", " tga  TrueVision"},
        {0, 8, 0, "ICO", " ico  Icon"},
        {0, 9, 0, "CUR", " cur  Cursor"},
        {0, 10, 0, "WMF", " wmf  WinMetafile"},
        {0, 11, 0, "EMF", " emf  ExtMetafile"},
        {0, 2000, 1, "MOV", " mov  Quick Time"},
        {0, 2001, 1, "QT", " qt   Quick Time"},
        {0, 2100, 2, "MID", " mid  MIDI"},
        {0, 2101, 2, "MIDI", " midi MIDI"},
        {0, 2102, 2, "RMI", " rmi  MIDI"},
        {0, 2200, 3, "MPG", " mpg  MPEG"},
        {0, 2201, 3, "MPEG", " mpeg MPEG"},
        {0, 2202, 3, "M1V", " m1v  MPEG"},
        {0, 2203, 3, "MP2", " mp2  MPEG"},
        {0, 2204, 3, "MP3", " mp3  MPEG"},
        {0, 2205, 3, "MPA", " mpa  MPEG"},
        {0, 2206, 3, "MPE", " mpe  MPEG"},
        {0, 2300, 4, "AVI", " avi  Media"},
        {0, 2301, 4, "ASF", " asf  Media"},
        {0, 2302, 4, "ASX", " asx  Media"},
        {0, 2303, 4, "WAV", " wav  Media"},
        {0, 2304, 4, "WMA", " wma  Media"},
        {0, 2305, 4, "WAX", " wax  Media"},
        {0, 2400, 5, "AU", " au   Sound"},
        {0, 2401, 5, "M3U", " m3u  Sound"},
        {0, 2402, 5, "SND", " snd  Sound"},
        {0, 2403, 5, "WAV", " wav  Sound"},
        {0, 2404, 5, "RA", " ra   Sound"},
}};

}  // namespace pv
