#include "container/ContainerReading.h"

#include "container/ContainerError.h"
#include "container/ContainerKey.h"
#include "container/KRVAAppendix.h"
#include "container/u_Encrypt.h"

namespace {
std::string CodeText(uint8_t code, int32_t offset) {
    switch (code) {
    case TKRVAAppendix::kFileMissing:
        return "no such file";
    case TKRVAAppendix::kOffsetBeyondFile:
        return "offset " + std::to_string(offset) + " is greater than the file size";
    case TKRVAAppendix::kOpenFailed:
        return "cannot be opened";
    case TKRVAAppendix::kNoContainerName:
        return "no container named";
    default:
        return "reader error " + std::to_string(code);
    }
}

// Runs one reader call and turns its raised errors into EContainerError.
template <typename Call>
auto Guarded(const std::string& name, const std::string& context, Call call) {
    try {
        return call();
    } catch (const EIntOverflow&) {
        throw EContainerError(name + ": " + context +
                              "the file is too short for its trailer or table");
    } catch (const ERangeError&) {
        throw EContainerError(name + ": " + context + "a count or position is out of range");
    } catch (const EReadError&) {
        throw EContainerError(name + ": " + context + "runs past the end of the file");
    } catch (const EContainerError&) {
        throw;
    } catch (const Exception& error) {
        throw EContainerError(name + ": " + context + error.Message());
    }
}
} // namespace

ContainerReading::ContainerReading(std::string containerName, int32_t offset)
    : name_(std::move(containerName)), offset_(offset) {
    TKRVAAppendix reader(nullptr);
    reader.ContainerName = name_;
    reader.Offset = offset_;
    Guarded(name_, "", [&] {
        reader.ReadAmount();
        return 0;
    });
    if (reader.Error != TKRVAAppendix::kNoError)
        throw EContainerError(name_ + ": " + CodeText(reader.Error, offset_));
    count_ = reader.Amount;
}

ReadEntry ContainerReading::Entry(int number, bool descramble) const {
    if (number < 1 || number > count_)
        throw EContainerError(name_ + ": has no entry " + std::to_string(number) + " (it holds " +
                              std::to_string(count_) + ")");
    TKRVAAppendix reader(nullptr);
    reader.ContainerName = name_;
    reader.Offset = offset_;
    reader.Amount = static_cast<uint8_t>(count_);
    reader.FileNo = static_cast<uint8_t>(number);
    const std::string context = "entry " + std::to_string(number) + ": ";
    auto stream = Guarded(name_, context, [&] { return reader.ExtractFileStream(); });
    if (!stream)
        throw EContainerError(name_ + ": " + context + CodeText(reader.Error, offset_));
    if (descramble)
        ScrambleStream(stream.get(), kDescrambleDirection, kContainerSeed, false);
    ReadEntry entry;
    entry.number = number;
    entry.byteFrom = reader.ByteFrom;
    entry.byteTo = reader.ByteTo;
    entry.bytes.assign(stream->Memory(), stream->Memory() + stream->Size());
    return entry;
}
