// Reading entries out of a container: descrambling in random-sequence mode
// (direction 1, seed -735291) against memcpy of the same buffer and against
// the generator drawn byte by byte, and TKRVAAppendix::ExtractFileStream
// against opening the file and reading the same bytes with TFileStream.
// Prints throughputs and ratios measured in this run, for entries of
// 64 KiB, 1 MiB and 16 MiB (a temporary container with one such entry).
//
// Run: scripts/wine-run build/<tree>/bench/bench_scramble_bench.exe [seconds]
// (the optional budget per measurement, default 0.3).
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "container/KRVAAppendix.h"
#include "container/u_Encrypt.h"
#include "framework/runtime/Random.h"
#include "framework/runtime/Streams.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int32_t kSeed = -735291;

// Runs `work` until the budget is spent (at least three times) and returns
// the best seconds per run: the least disturbed by the rest of the machine.
template <typename Work> double BestSeconds(double budget, Work&& work) {
    double best = 1e30;
    const auto start = Clock::now();
    for (int run = 0;
         run < 3 || std::chrono::duration<double>(Clock::now() - start).count() < budget; ++run) {
        const auto before = Clock::now();
        work();
        const double seconds = std::chrono::duration<double>(Clock::now() - before).count();
        if (seconds < best)
            best = seconds;
    }
    return best;
}

double GBs(std::size_t bytes, double seconds) {
    return static_cast<double>(bytes) / seconds / 1e9;
}

std::vector<uint8_t> Pattern(std::size_t size) {
    std::vector<uint8_t> bytes(size);
    uint32_t x = 2463534242u;
    for (auto& byte : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        byte = static_cast<uint8_t>(x);
    }
    return bytes;
}

std::string TempContainerName() {
    char folder[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return "scramble_bench.dat";
    return std::string(folder) + "scramble_bench_" + std::to_string(GetCurrentProcessId()) + ".dat";
}

// One entry at position 0: entry | start field 0 | start 0 | count 1.
void WriteContainer(const std::string& fileName, const std::vector<uint8_t>& entry) {
    TFileStream file(fileName, fm::fmCreate);
    file.WriteBuffer(entry.data(), static_cast<int64_t>(entry.size()));
    const uint8_t tail[10] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 0};
    file.WriteBuffer(tail, sizeof tail);
}

void MeasureScramble(std::size_t size, double budget) {
    const std::vector<uint8_t> input = Pattern(size);
    std::vector<uint8_t> copy(size);
    TMemoryStream stream;
    stream.WriteBuffer(input.data(), static_cast<int64_t>(size));

    const double copySeconds =
        BestSeconds(budget, [&] { std::memcpy(copy.data(), input.data(), size); });
    const double laneSeconds =
        BestSeconds(budget, [&] { ScrambleStream(&stream, 1, kSeed, false); });
    const double drawSeconds = BestSeconds(budget, [&] {
        const TRandomStateGuard keep;
        SetRandomState(static_cast<uint32_t>(kSeed));
        for (std::size_t n = 0; n < size; ++n)
            copy[n] = static_cast<uint8_t>(copy[n] - Random(256));
    });
    std::printf("%8zu KiB  descramble %6.2f GB/s  memcpy %6.2f GB/s  descramble/memcpy time %5.2f  "
                "byte-by-byte draws %5.2f GB/s (%.1fx slower than lanes)\n",
                size / 1024, GBs(size, laneSeconds), GBs(size, copySeconds),
                laneSeconds / copySeconds, GBs(size, drawSeconds), drawSeconds / laneSeconds);
}

void MeasureExtract(std::size_t size, double budget) {
    const std::string fileName = TempContainerName();
    WriteContainer(fileName, Pattern(size));

    TKRVAAppendix reader(nullptr);
    reader.ContainerName = fileName;
    reader.ReadAmount();
    reader.FileNo = 1;
    int64_t extracted = 0;
    const double extractSeconds = BestSeconds(budget, [&] {
        const std::unique_ptr<TMemoryStream> entry = reader.ExtractFileStream();
        extracted = entry ? entry->Size() : -1;
    });
    int64_t read = 0;
    const double readSeconds = BestSeconds(budget, [&] {
        TFileStream file(fileName, fm::fmOpenRead | fm::fmShareDenyNone);
        auto entry = std::make_unique<TMemoryStream>();
        entry->SetSize(static_cast<int64_t>(size));
        file.Seek(0, TSeekOrigin::soBeginning);
        read = file.Read(entry->Memory(), static_cast<int64_t>(size));
    });
    DeleteFileA(fileName.c_str());
    if (extracted != static_cast<int64_t>(size) || read != static_cast<int64_t>(size)) {
        std::printf("%8zu KiB  extract gave %lld bytes, plain read %lld: wrong\n", size / 1024,
                    static_cast<long long>(extracted), static_cast<long long>(read));
        return;
    }
    std::printf(
        "%8zu KiB  ExtractFileStream %6.2f GB/s  plain read %6.2f GB/s  extract/read time %5.2f\n",
        size / 1024, GBs(size, extractSeconds), GBs(size, readSeconds),
        extractSeconds / readSeconds);
}

} // namespace

int main(int argc, char** argv) {
    const double budget = argc > 1 ? std::atof(argv[1]) : 0.3;
    const std::size_t sizes[] = {std::size_t{64} << 10, std::size_t{1} << 20,
                                 std::size_t{16} << 20};
    std::printf("descrambling, random-sequence mode, direction 1, seed %d\n", kSeed);
    for (std::size_t size : sizes)
        MeasureScramble(size, budget);
    std::printf("extracting one entry from a container file\n");
    for (std::size_t size : sizes)
        MeasureExtract(size, budget);
    return 0;
}
