#include "cli/Cli.h"

#include <cstdio>
#include <string_view>

namespace pv::cli {

namespace {

struct Command {
    std::string_view name;
    int (*run)(const Args&);
    std::string_view usage;
};

constexpr Command kCommands[] = {
        {"decode", RunDecode, "decode [--frame N] FILE OUT.bmp | decode FILE --discard"},
        {"thumb", RunThumb, "thumb FILE OUT.bmp"},
        {"thumbs", RunThumbs, "thumbs FOLDER [--ext JPG,...] [--workers N] [--sheet OUT.bmp]"},
        {"search", RunSearchCommand,
         "search ROOT [--ext JPG,GIF,...] [--no-subfolders] [--title TEXT] [--size MIN MAX] [--date FROM TO] [--sort "
         "TEXT]"},
        {"folder", RunFolderCommand, "folder FILE"},
        {"render", RunRender,
         "render FILE OUT.bmp --client W H [--fit] [--zoom-in N] [--zoom-out N] [--wheel-in N] [--wheel-out N] "
         "[--filter 1|2] [--effects LIST] [--scroll H V] [--resize W H] [--grey V]"},
};

int Usage() {
    std::fputs("usage: pictavo-cli COMMAND ...\n", stderr);
    for (const Command& c : kCommands) {
        std::fprintf(stderr, "  pictavo-cli %.*s\n", static_cast<int>(c.usage.size()), c.usage.data());
    }
    return kExitUsage;
}

}  // namespace

int Run(const Args& args) {
    if (args.empty()) {
        return Usage();
    }
    for (const Command& c : kCommands) {
        if (args[0] == c.name) {
            return c.run(Args(args.begin() + 1, args.end()));
        }
    }
    return Usage();
}

}  // namespace pv::cli
