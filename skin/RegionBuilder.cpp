#include "skin/RegionBuilder.h"

#include <utility>
#include <vector>

#include "skin/OvalynShapeControl.h"

namespace {

const char* const combineFailed = "TOvalynSkin.calculateRegion: CombineRgn failed.";
const char* const deleteFailed = "TOvalynSkin.calculateRegion: DeleteObject failed.";

SkinRegion NewRectRegion(int left, int top, int right, int bottom) {
    SkinRegion region(RegionCalls().CreateRectRgn(left, top, right, bottom));
    // A region that cannot be created cannot be combined either.
    if (!region)
        throw OvalynShapeException(combineFailed);
    return region;
}

// Unites regions pairwise, like a binary counter: two regions of equal rank
// are united into one of the next rank, so every region takes part in about
// log2(n) unions and each union works on parts of similar size.
class BalancedUnion {
public:
    void Add(SkinRegion region) {
        int rank = 0;
        while (!pending_.empty() && pending_.back().rank == rank) {
            region = Unite(std::move(pending_.back().region), std::move(region));
            pending_.pop_back();
            ++rank;
        }
        pending_.push_back({std::move(region), rank});
    }

    SkinRegion Finish() {
        if (pending_.empty())
            return NewRectRegion(0, 0, 0, 0);
        SkinRegion result = std::move(pending_.back().region);
        pending_.pop_back();
        while (!pending_.empty()) {
            result = Unite(std::move(pending_.back().region), std::move(result));
            pending_.pop_back();
        }
        return result;
    }

private:
    struct Pending {
        SkinRegion region;
        int rank;
    };

    static SkinRegion Unite(SkinRegion into, SkinRegion other) {
        if (RegionCalls().CombineRgn(into.get(), into.get(), other.get(), RGN_OR) == ERROR)
            throw OvalynShapeException(combineFailed);
        if (!other.ReleaseChecked())
            throw OvalynShapeException(deleteFailed);
        return into;
    }

    std::vector<Pending> pending_;
};

struct Run {
    int start;
    int end; // exclusive
    bool operator==(const Run&) const = default;
};

void FindVisibleRuns(const std::uint8_t* row, int width, std::uint32_t invisibleRgb,
                     std::vector<Run>& runs) {
    runs.clear();
    if (invisibleRgb > 0xFFFFFF) {
        runs.push_back({0, width});
        return;
    }
    const std::uint8_t blue = static_cast<std::uint8_t>(invisibleRgb >> 16);
    const std::uint8_t green = static_cast<std::uint8_t>(invisibleRgb >> 8);
    const std::uint8_t red = static_cast<std::uint8_t>(invisibleRgb);
    int x = 0;
    while (x < width) {
        while (x < width && row[3 * x] == blue && row[3 * x + 1] == green && row[3 * x + 2] == red)
            ++x;
        if (x == width)
            break;
        const int start = x;
        while (x < width &&
               !(row[3 * x] == blue && row[3 * x + 1] == green && row[3 * x + 2] == red))
            ++x;
        runs.push_back({start, x});
    }
}

} // namespace

SkinRegion BuildVisibleRegion(const TPixelRows24& rows, std::uint32_t invisibleRgb) {
    BalancedUnion united;
    std::vector<Run> bandRuns;
    std::vector<Run> rowRuns;
    int bandTop = 0;
    auto addBand = [&](int bandBottom) {
        for (const Run& run : bandRuns)
            united.Add(NewRectRegion(run.start, bandTop, run.end, bandBottom));
    };
    for (int y = 0; y < rows.Height; ++y) {
        FindVisibleRuns(rows.Row(y), rows.Width, invisibleRgb, rowRuns);
        if (y > 0 && rowRuns == bandRuns)
            continue;
        addBand(y);
        bandTop = y;
        std::swap(bandRuns, rowRuns);
    }
    addBand(rows.Height);
    return united.Finish();
}
