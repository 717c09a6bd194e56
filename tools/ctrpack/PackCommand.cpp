#include "authoring/AuthoringError.h"
#include "authoring/MenuBuild.h"
#include "container/ContainerWriter.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"
#include "tools/ctrpack/Arguments.h"
#include "tools/ctrpack/Commands.h"

namespace {
// The file's bytes, after checking that they still fit the container, so an
// oversized input is refused before it is read into memory.
std::vector<uint8_t> LoadEntry(const std::string& fileName, const ContainerWriter& writer) {
    try {
        TFileStream file(fileName, fm::fmOpenRead | fm::fmShareDenyWrite);
        const int64_t size = file.Size();
        if (writer.EntryCount() >= ContainerWriter::kMaxEntries)
            throw AuthoringError(fileName, "a container holds at most 255 entries");
        if (!writer.Fits(static_cast<uint64_t>(size)))
            throw AuthoringError(fileName, "the container would reach past position 2^31 - 1");
        std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
        file.ReadBuffer(bytes.data(), size);
        return bytes;
    } catch (const EFOpenError&) {
        throw AuthoringError(fileName, FileExists(fileName) ? "cannot be opened" : "no such file");
    } catch (const Exception& error) {
        throw AuthoringError(fileName, "cannot be read (" + error.Message() + ")");
    }
}

} // namespace

int RunPack(const CommandArgs& args) {
    const Arguments arguments(args, {{"--plain"}, {}});
    const auto& words = arguments.Positional();
    if (words.size() < 2)
        throw AuthoringError("needs OUT and at least one FILE");
    const std::string& out = words[0];
    if (words.size() - 1 > ContainerWriter::kMaxEntries)
        throw AuthoringError(out, "a container holds at most 255 entries, " +
                                      std::to_string(words.size() - 1) + " files given");

    ContainerWriter writer;
    for (std::size_t i = 1; i < words.size(); ++i) {
        std::vector<uint8_t> bytes = LoadEntry(words[i], writer);
        if (!arguments.Has("--plain"))
            ScrambleEntry(bytes);
        writer.AddEntry(std::move(bytes), words[i]);
    }

    WriteContainerFile(writer, out);
    return 0;
}
