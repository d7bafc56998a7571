// pictavo-cli folder FILE: the folder file list built when FILE is opened directly, one
// record a line, then "current N" (0-based).
#include <cstdio>

#include "cli/Cli.h"
#include "cli/RecordLines.h"
#include "platform/FileSystem.h"
#include "search/FolderFileList.h"
#include "search/SharedLists.h"

namespace pv::cli {

int RunFolderCommand(const Args& args) {
    if (args.size() != 1) {
        std::fputs("usage: pictavo-cli folder FILE\n", stderr);
        return kExitUsage;
    }
    const std::string path = FullPathOf(ProgramPathFromHost(args[0]));
    if (path.empty()) {
        std::fprintf(stderr, "%s: path too long\n", args[0].c_str());
        return kExitFailed;
    }
    SharedLists lists;
    const FolderListResult result = BuildFolderList(lists, path);
    if (!result.found) {
        std::printf("%.*s\n", static_cast<int>(kNoImageSelectedText.size()), kNoImageSelectedText.data());
        return kExitFailed;
    }
    PrintFileRecords(lists.Lock()->ResultList);
    std::printf("current %d\n", result.current);
    return kExitOk;
}

}  // namespace pv::cli
