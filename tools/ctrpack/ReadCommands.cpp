// The commands that read a container: list, extract and unpack.
#include <cstdio>

#include "authoring/AuthoringError.h"
#include "authoring/OutputFile.h"
#include "container/ContainerReading.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"
#include "tools/ctrpack/Arguments.h"
#include "tools/ctrpack/Commands.h"

namespace {
const OptionSpec kReadOptions{{"--plain"}, {"--offset"}};

} // namespace

int RunList(const CommandArgs& args) {
    const Arguments arguments(args, {{}, {"--offset"}});
    if (arguments.Positional().size() != 1)
        throw AuthoringError("needs exactly one CONTAINER");
    const ContainerReading container(arguments.Positional()[0],
                                     arguments.Int32Value("--offset", 0));
    // Read every entry before printing, so a bad container prints only its error.
    std::vector<ReadEntry> entries;
    for (int n = 1; n <= container.EntryCount(); ++n) {
        ReadEntry entry = container.Entry(n, false);
        entry.bytes.clear();
        entries.push_back(std::move(entry));
    }
    std::printf("entries %d\n", container.EntryCount());
    for (const ReadEntry& entry : entries)
        std::printf("%d first %d last %d size %lld\n", entry.number, entry.byteFrom, entry.byteTo,
                    static_cast<long long>(int64_t{entry.byteTo} - entry.byteFrom + 1));
    return 0;
}

int RunExtract(const CommandArgs& args) {
    const Arguments arguments(args, kReadOptions);
    const auto& words = arguments.Positional();
    if (words.size() != 3)
        throw AuthoringError("needs CONTAINER, N and OUT");
    const ContainerReading container(words[0], arguments.Int32Value("--offset", 0));
    const auto number = static_cast<int>(ParseNumber(words[1], 1, 255, "entry number " + words[1]));
    const ReadEntry entry = container.Entry(number, !arguments.Has("--plain"));
    WriteFileWhole(words[2], entry.bytes);
    return 0;
}

int RunUnpack(const CommandArgs& args) {
    const Arguments arguments(args, kReadOptions);
    const auto& words = arguments.Positional();
    if (words.size() != 2)
        throw AuthoringError("needs CONTAINER and DIR");
    const ContainerReading container(words[0], arguments.Int32Value("--offset", 0));
    // All entries are read before anything is written: a bad entry leaves no output.
    std::vector<ReadEntry> entries;
    for (int n = 1; n <= container.EntryCount(); ++n)
        entries.push_back(container.Entry(n, !arguments.Has("--plain")));
    EnsureFolder(words[1]);
    for (const ReadEntry& entry : entries)
        WriteFileWhole(JoinPath(words[1], std::to_string(entry.number)), entry.bytes);
    return 0;
}
