// The Windows console entry: arguments arrive as UTF-16 and become UTF-8 here.
#include "base/win32/Wide.h"
#include "cli/Cli.h"

int wmain(int argc, wchar_t** argv) {
    pv::cli::Args args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(pv::Narrow(argv[i]));
    }
    return pv::cli::Run(args);
}
