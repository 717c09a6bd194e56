// Reading a container for the tools: the reader component's error codes and
// raised errors become one EContainerError line naming the container.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ReadEntry {
    int number = 0;
    int32_t byteFrom = 0;
    int32_t byteTo = 0;
    std::vector<uint8_t> bytes; // as stored, or descrambled when asked
};

class ContainerReading {
public:
    ContainerReading(std::string containerName, int32_t offset);

    int EntryCount() const { return count_; }
    // Entry number (1..EntryCount) as stored, or descrambled.
    ReadEntry Entry(int number, bool descramble) const;

private:
    std::string name_;
    int32_t offset_;
    int count_ = 0;
};
