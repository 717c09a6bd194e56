// TKRVAAppendix reads numbered entries out of a container that ends a file:
//
//   entry 1 .. entry N | start field (4) | N start positions (4 each) | N (2)
//
// All fields little-endian, positions absolute in the file. Offset bytes of
// other data may follow the container; IsForceStart makes ForceStart the
// container end instead. Ordinary failures land in Error, violated limits
// raise EIntOverflow, ERangeError or EReadError. The file is opened anew by
// every call and closed on every way out of it; nothing is cached.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/runtime/Component.h"
#include "framework/runtime/Streams.h"

class TKRVAAppendix : public TComponent {
public:
    explicit TKRVAAppendix(TComponent* owner) : TComponent(owner) {}

    const char* ClassName() const override { return "TKRVAAppendix"; }

    // Error codes.
    static constexpr uint8_t kNoError = 0;
    static constexpr uint8_t kFileMissing = 1;
    static constexpr uint8_t kOffsetBeyondFile = 2;
    static constexpr uint8_t kOpenFailed = 3;
    static constexpr uint8_t kFileNoZero = 5;
    static constexpr uint8_t kFileNoBeyondAmount = 6;
    static constexpr uint8_t kNoContainerName = 7;

    // Reads the entry count into Amount (ERangeError for 256 or more, Amount
    // then unchanged).
    void ReadAmount();
    // Entry FileNo as a new stream at position 0, owned by the caller; empty
    // when Error is not 0. Sets ByteFrom and ByteTo as they become known.
    std::unique_ptr<TMemoryStream> ExtractFileStream();

    // Published properties that only store their value: plain fields.
    std::string ContainerName;
    uint8_t FileNo = 0;
    uint8_t Amount = 0;
    uint8_t Error = 0;
    int32_t Offset = 0;
    int32_t ByteFrom = 0;
    int32_t ByteTo = 0;
    int32_t ForceStart = 0;
    bool IsForceStart = false;

private:
    struct OpenedContainer;
    // Opens the container file, checks its size against Offset and works out
    // the container end. On an ordinary failure sets Error and returns no file.
    OpenedContainer OpenContainer();
};
