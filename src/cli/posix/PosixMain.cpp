#include "cli/Cli.h"

int main(int argc, char** argv) {
    pv::cli::Args args(argv + 1, argv + argc);
    return pv::cli::Run(args);
}
