#include "tools/ctrpack/ContainerFile.h"

#include <algorithm>

#include "container/ContainerKey.h"
#include "container/u_Encrypt.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"
#include "tools/ctrpack/ContainerWriter.h"
#include "tools/ctrpack/OutputFile.h"
#include "tools/ctrpack/ToolError.h"

void ScrambleEntry(std::vector<uint8_t>& bytes) {
    TMemoryStream stream;
    stream.SetSize(static_cast<int64_t>(bytes.size()));
    if (!bytes.empty())
        std::copy(bytes.begin(), bytes.end(), stream.Memory());
    ScrambleStream(&stream, kScrambleDirection, kContainerSeed, false);
    std::copy(stream.Memory(), stream.Memory() + stream.Size(), bytes.begin());
}

void WriteContainerFile(const ContainerWriter& writer, const std::string& path) {
    OutputFile output(path);
    try {
        writer.WriteTo(output.Stream());
    } catch (const EStreamError&) {
        throw ToolError(path, "cannot be written");
    }
    output.Commit();
}
