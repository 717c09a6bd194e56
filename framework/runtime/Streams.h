// Byte streams: the abstract stream, a growable memory stream and a file stream.
// Sizes and positions are 64-bit; callers with 32-bit limits check them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size() const = 0;
    virtual void SetSize(int64_t newSize) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }

    // Reads or writes exactly count bytes, else raises EReadError / EWriteError.
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies exactly count bytes from source's current position (EReadError when
    // the source ends first). A count of 0 copies nothing.
    int64_t CopyFrom(TStream& source, int64_t count);
};

// Holds at most 2^31 - 1 bytes; growing beyond raises EOutOfMemory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t newSize) override;

    // Direct access to the bytes, valid until the next size change.
    uint8_t* Memory() { return data_.data(); }
    const uint8_t* Memory() const { return data_.data(); }
    void Clear();
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    void LoadFromStream(TStream& source);

private:
    std::vector<uint8_t> data_;
    int64_t position_ = 0;
};

// File open modes as the runtime numbers them.
namespace fm {
constexpr unsigned fmCreate = 0xFF00;
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyNone = 0x0040; // 64: read-only open, others may read and write
} // namespace fm

// A file opened for the lifetime of the object; closed by the destructor.
// Raises EFOpenError (open) or EFCreateError (create) naming the file.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() const override;
    void SetSize(int64_t newSize) override;
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

bool FileExists(const std::string& fileName);
