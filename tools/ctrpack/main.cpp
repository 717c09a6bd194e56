// ctrpack: builds, lists and takes apart containers.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "authoring/AuthoringError.h"
#include "tools/ctrpack/Commands.h"

namespace {
int Usage() {
    std::fprintf(stderr, "usage:\n");
    for (const Command& command : CommandTable())
        std::fprintf(stderr, "  ctrpack %s\n      %s\n", command.usage, command.summary);
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const std::string name = argv[1];
    for (const Command& command : CommandTable()) {
        if (name != command.name)
            continue;
        try {
            return command.run(CommandArgs(argv + 2, argv + argc));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "ctrpack %s: %s\n", command.name, error.what());
        }
        return 1;
    }
    if (name == "--help" || name == "-h" || name == "help") {
        Usage();
        return 0;
    }
    std::fprintf(stderr, "ctrpack: unknown command \"%s\"\n", name.c_str());
    return 2;
}
