// pictavo-cli decode FILE OUT.bmp: opens FILE as the image view does and writes the
// picture as a 24-bit bottom-up BMP. Prints "WIDTHxHEIGHT BITS FRAMES".
#include <cstdio>

#include "cli/Cli.h"
#include "imaging/BmpWriter.h"
#include "imaging/OpenPicture.h"
#include "platform/FileSystem.h"

namespace pv::cli {

int RunDecode(const Args& args) {
    if (args.size() != 2) {
        std::fputs("usage: pictavo-cli decode FILE OUT.bmp\n", stderr);
        return kExitUsage;
    }
    const std::string in = ProgramPathFromHost(args[0]);
    const std::string out = ProgramPathFromHost(args[1]);

    OpenedPicture picture;
    Status s = OpenPictureFile(in, picture);
    if (s != Status::Ok) {
        std::fprintf(stderr, "%s: %s\n", args[0].c_str(), StatusText(s));
        return kExitFailed;
    }
    if (!picture.HasPicture()) {
        std::fprintf(stderr, "%s: %s\n", args[0].c_str(),
                     picture.isMedia ? "a media file has no picture" : "nothing to show");
        return kExitFailed;
    }
    const ImageBuffer& image = picture.reader->image();
    if (WriteWholeFile(out, Encode24BitBmp(image)) != Status::Ok) {
        std::fprintf(stderr, "%s: cannot write the picture\n", args[1].c_str());
        return kExitFailed;
    }
    std::printf("%dx%d %d %d\n", image.width, image.height, image.bitsPerPixel, picture.reader->FrameCount());
    return kExitOk;
}

}  // namespace pv::cli
