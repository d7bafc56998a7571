#include "app/OpenFilters.h"

namespace pv {

// The descriptions are shown as users have always seen them, odd punctuation included.
const std::array<OpenFilterRow, 19> kOpenFilters = {{
        {"Common Files (aif,aifc.aiff.asf.asx.avi.au.bmp.cur.dib.emf.gif.ico.jpg.jpeg.jfif.m1v.m3u.mid.midi.mov.mp2."
         "mp3.mpa.mpe.mpeg.mpg.pcx.psd.qt.ra.rmi.snd.tga.wav.wm.wma.wmv.wmf)",
         "*.aif; *.aifc; *.aiff; *.au; *.m1v; *.m3u; *.ra; *.snd; *.asf; *.asx; *.avi; *.bmp; *.cur; *.dib; *.emf; "
         "*.gif; *.ico; *.jpg; *.jpeg; *.jfif; *.mid; *.midi; *.mov; *.mp3; *.mpa; *.mpe; *.mpeg; *.mpg; *.pcx; *.psd; "
         "*.qt; *.rmi; *.tga; *.wav; *.wm; *.wma; *.wmv; *.wmf"},
        {"Windows Media (*.avi, *.asf, *.asx, *.rmi, *.wav, *.wma, *.wax)",
         "*.avi; *.asf; *.asx; *.rmi; *.wav; *.wma; *.wax"},
        {"BMP (*.bmp)", "*.bmp"},
        {"CUR (*.cur)", "*.cur"},
        {"DIB (*.dib)", "*.dib"},
        {"EMF (*.emf)", "*.emf"},
        {"GIF (*.gif)", "*.gif"},
        {"ICO (*.ico)", "*.ico"},
        {"JPG, JPEG, JFIF (*.jpg, *.jpeg, *.jfif)", "*.jpg; *.jpeg; *.jfif"},
        {"MIDI (*.mid, *.midi, *.rmi)", "*.mid; *.midi; *.rmi"},
        {"MPEG (*.mpg, *.mpeg, *.m1v, *.mp2, *.mp3, *.mpa, *.mpe)", "*.mpg; *.mpeg; *.m1v; *.mp2; *.mp3; *.mpa; *.mpe"},
        {"PCX (*.pcx)", "*.pcx"},
        {"PSD (*.psd)", "*.psd"},
        {"Quick Time (*.mov, *.qt, *.aif, *,aifc, *.aiff)", "*.mov; *.qt; *.aif; *.aifc; *.aiff"},
        {"Sound (*.au, *.m3u, *.mp2, *.mp3, *.mpe; *.ra, *.snd, *.wav)",
         "*.au; *.m3u; *.mp2; *.mp3; *.mpe; *.ra; *.snd; *.wav"},
        {"Truevision Targa (*.tga)", "*.tga"},
        {"Windows Media (*asf, *wm, *wma, *wmv)", "*.asf; *.wm; *.wma; *.wmv"},
        {"WMF (*.wmf)", "*.wmf"},
        {"All Files (*.*)", "*.*"},
}};

}  // namespace pv
