// What the pack and build commands share when they make a container file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ContainerWriter;

// Scrambles an entry in place the way the launcher descrambles it.
void ScrambleEntry(std::vector<uint8_t>& bytes);

// Writes the container to the file at path, whole or not at all (ToolError
// naming path when it cannot be written).
void WriteContainerFile(const ContainerWriter& writer, const std::string& path);
