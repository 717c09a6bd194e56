// TFileStream over the platform's file calls: the Win32 A functions in the
// Windows tree, POSIX descriptors on the host.
#include "framework/runtime/Streams.h"

#include <algorithm>
#include <limits>

#include "framework/runtime/Exceptions.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
const char* const kReadErrorText = "Stream-Lesefehler";
const char* const kWriteErrorText = "Stream-Schreibfehler";
// Largest count handed to one platform read or write call.
constexpr int64_t kMaxCallBytes = 1 << 30;

bool IsCreate(unsigned mode) {
    return (mode & 0xFFFF) == fm::fmCreate;
}
unsigned AccessOf(unsigned mode) {
    return mode & 0x3;
}
} // namespace

#ifdef _WIN32

struct TFileStream::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~Impl() {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

namespace {
DWORD ShareOf(unsigned mode) {
    switch (mode & 0xF0) {
    case fm::fmShareDenyWrite:
        return FILE_SHARE_READ;
    case 0x30: // deny read
        return FILE_SHARE_WRITE;
    case fm::fmShareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: // compatibility and exclusive
        return 0;
    }
}
} // namespace

TFileStream::TFileStream(const std::string& fileName, unsigned mode)
    : fileName_(fileName), impl_(std::make_unique<Impl>()) {
    if (IsCreate(mode)) {
        impl_->handle = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (impl_->handle == INVALID_HANDLE_VALUE)
            throw EFCreateError("Datei " + fileName + " kann nicht erstellt werden");
        return;
    }
    static const DWORD kAccess[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE, 0};
    const DWORD access = kAccess[AccessOf(mode)];
    if (access != 0)
        impl_->handle = CreateFileA(fileName.c_str(), access, ShareOf(mode), nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (impl_->handle == INVALID_HANDLE_VALUE)
        throw EFOpenError("Datei " + fileName +
                          " kann nicht ge\xF6"
                          "ffnet werden");
}

TFileStream::~TFileStream() = default;

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t total = 0;
    auto* out = static_cast<char*>(buffer);
    while (total < count) {
        const DWORD want = static_cast<DWORD>(std::min(count - total, kMaxCallBytes));
        DWORD got = 0;
        if (!ReadFile(impl_->handle, out + total, want, &got, nullptr) || got == 0)
            break;
        total += got;
    }
    return total;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t total = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (total < count) {
        const DWORD want = static_cast<DWORD>(std::min(count - total, kMaxCallBytes));
        DWORD put = 0;
        if (!WriteFile(impl_->handle, in + total, want, &put, nullptr) || put == 0)
            break;
        total += put;
    }
    return total;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    static const DWORD kMethod[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER move;
    move.QuadPart = offset;
    LARGE_INTEGER now;
    if (!SetFilePointerEx(impl_->handle, move, &now, kMethod[static_cast<int>(origin)]))
        throw EStreamError("Ung\xFCltige Stream-Position in " + fileName_);
    return now.QuadPart;
}

int64_t TFileStream::Size() const {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(impl_->handle, &size))
        throw EReadError(kReadErrorText);
    return size.QuadPart;
}

void TFileStream::SetSize(int64_t newSize) {
    Seek(newSize, TSeekOrigin::soBeginning);
    if (!SetEndOfFile(impl_->handle))
        throw EWriteError(kWriteErrorText);
}

bool FileExists(const std::string& fileName) {
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

#else

struct TFileStream::Impl {
    int fd = -1;
    ~Impl() {
        if (fd >= 0)
            ::close(fd);
    }
};

TFileStream::TFileStream(const std::string& fileName, unsigned mode)
    : fileName_(fileName), impl_(std::make_unique<Impl>()) {
    // The host has no share modes; only the access part of the mode counts.
    if (IsCreate(mode)) {
        impl_->fd = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (impl_->fd < 0)
            throw EFCreateError("Datei " + fileName + " kann nicht erstellt werden");
        return;
    }
    static const int kFlags[] = {O_RDONLY, O_WRONLY, O_RDWR, -1};
    const int flags = kFlags[AccessOf(mode)];
    if (flags != -1)
        impl_->fd = ::open(fileName.c_str(), flags | O_CLOEXEC);
    struct stat info {};
    // A folder opens on POSIX but is no file to read, as on Windows.
    if (impl_->fd >= 0 && (::fstat(impl_->fd, &info) != 0 || S_ISDIR(info.st_mode))) {
        ::close(impl_->fd);
        impl_->fd = -1;
    }
    if (impl_->fd < 0)
        throw EFOpenError("Datei " + fileName +
                          " kann nicht ge\xF6"
                          "ffnet werden");
}

TFileStream::~TFileStream() = default;

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t total = 0;
    auto* out = static_cast<char*>(buffer);
    while (total < count) {
        const ssize_t got = ::read(impl_->fd, out + total,
                                   static_cast<size_t>(std::min(count - total, kMaxCallBytes)));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        total += got;
    }
    return total;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t total = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (total < count) {
        const ssize_t put = ::write(impl_->fd, in + total,
                                    static_cast<size_t>(std::min(count - total, kMaxCallBytes)));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            break;
        total += put;
    }
    return total;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    const off_t now =
        ::lseek(impl_->fd, static_cast<off_t>(offset), kWhence[static_cast<int>(origin)]);
    if (now < 0)
        throw EStreamError("Ung\xFCltige Stream-Position in " + fileName_);
    return now;
}

int64_t TFileStream::Size() const {
    struct stat info {};
    if (::fstat(impl_->fd, &info) != 0)
        throw EReadError(kReadErrorText);
    return info.st_size;
}

void TFileStream::SetSize(int64_t newSize) {
    if (newSize < 0 || ::ftruncate(impl_->fd, static_cast<off_t>(newSize)) != 0)
        throw EWriteError(kWriteErrorText);
    if (Position() > newSize)
        Seek(newSize, TSeekOrigin::soBeginning);
}

bool FileExists(const std::string& fileName) {
    struct stat info {};
    return ::stat(fileName.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

#endif
