// pictavo-cli decode [--frame N] FILE OUT.bmp: opens FILE as the image view does and writes
// the picture as a 24-bit bottom-up BMP. Prints "WIDTHxHEIGHT BITS FRAMES". For an animated
// GIF, --frame N (counted from 1) writes frame N's composited canvas instead of frame 1's.
// With --discard instead of OUT.bmp nothing is written, so a benchmark times the decode alone.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "cli/Cli.h"
#include "imaging/BmpWriter.h"
#include "imaging/GifToBmp.h"
#include "imaging/OpenPicture.h"
#include "imaging/ReaderChoice.h"
#include "platform/FileSystem.h"

namespace pv::cli {

namespace {

constexpr const char* kUsage = "usage: pictavo-cli decode [--frame N] FILE (OUT.bmp | --discard)\n";

// A positive frame number, or 0 when the text is not one.
int32_t ParseFrame(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
}

// The view's road for a GIF, keeping only the canvas of frame `frame` (from 1): the
// other frames are still decoded and counted, so the frame count and that frame's pixels
// are the view's, without a canvas for every frame.
Status OpenGifForFrame(const std::string& path, int32_t frame, OpenedPicture& out) {
    out = {};
    std::vector<uint8_t> bytes;
    if (Status s = ReadWholeFile(path, bytes); s != Status::Ok) {
        return s;
    }
    auto gif = std::make_unique<CGifToBmp>();
    const Status s = gif->ReadForFrame(bytes, static_cast<size_t>(frame - 1));
    if (s == Status::Unsupported) {
        return OpenPictureFile(path, out);  // the picture-object fallback, as the view does
    }
    if (s == Status::Ok) {
        out.reader = std::move(gif);
    }
    return s;
}

}  // namespace

int RunDecode(const Args& args) {
    Args files;
    int32_t frame = 1;
    bool discard = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--discard") {
            discard = true;
            continue;
        }
        if (args[i] == "--frame") {
            if (i + 1 >= args.size() || (frame = ParseFrame(args[i + 1])) == 0) {
                std::fputs(kUsage, stderr);
                return kExitUsage;
            }
            ++i;
            continue;
        }
        files.push_back(args[i]);
    }
    if (files.size() != (discard ? 1u : 2u)) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string in = ProgramPathFromHost(files[0]);

    OpenedPicture picture;
    Status s =
            ReaderForPath(in) == ReaderKind::Gif ? OpenGifForFrame(in, frame, picture) : OpenPictureFile(in, picture);
    if (s != Status::Ok) {
        std::fprintf(stderr, "%s: %s\n", files[0].c_str(), StatusText(s));
        return kExitFailed;
    }
    if (!picture.HasPicture()) {
        std::fprintf(stderr, "%s: %s\n", files[0].c_str(),
                     picture.isMedia ? "a media file has no picture" : "nothing to show");
        return kExitFailed;
    }
    const int32_t frames = picture.reader->FrameCount();
    if (frame > frames) {
        std::fprintf(stderr, "%s: has %d frame(s)\n", files[0].c_str(), frames);
        return kExitFailed;
    }
    ImageBuffer image = picture.reader->image();
    if (frame > 1) {
        // Only animations have more than one frame, and only the GIF reader makes them.
        const auto* gif = dynamic_cast<const CGifToBmp*>(picture.reader.get());
        if (gif == nullptr) {
            std::fprintf(stderr, "%s: has %d frame(s)\n", files[0].c_str(), frames);
            return kExitFailed;
        }
        image = gif->animation().CanvasImage(static_cast<size_t>(frame - 1));
    }
    if (!discard && WriteWholeFile(ProgramPathFromHost(files[1]), Encode24BitBmp(image)) != Status::Ok) {
        std::fprintf(stderr, "%s: cannot write the picture\n", files[1].c_str());
        return kExitFailed;
    }
    std::printf("%dx%d %d %d\n", image.width, image.height, image.bitsPerPixel, frames);
    return kExitOk;
}

}  // namespace pv::cli
