#include "authoring/MenuCheck.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>

#include "authoring/LauncherMemory.h"
#include "authoring/NoticeLayout.h"
#include "format/ButtonActions.h"
#include "framework/portable/BmpHeader.h"
#include "framework/portable/Convert.h"

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Boolean text is read as a number first, with the decimal separator of the
// user's locale.
bool TryStrToBoolWithSeparator(const std::string& text, char separator, bool& value) {
    const char saved = DecimalSeparator();
    SetDecimalSeparator(separator);
    const bool ok = TryStrToBool(text, value);
    SetDecimalSeparator(saved);
    return ok;
}

std::string Range(int64_t low, int64_t high) {
    if (low == INT32_MIN && high == INT32_MAX)
        return "a whole number (decimal, or hexadecimal after $)";
    return "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
}

class Checker {
public:
    Checker(const MenuDocument& menu, const MenuOrigins& origins, std::vector<Problem>& problems)
        : menu_(menu), origins_(origins), problems_(problems) {}

    void Run() {
        if (menu_.EntryCount() < kLauncherEntries)
            problems_.push_back((origins_.entries.line > 0 ? origins_.entries : origins_.menu)
                                    .At("holds " + std::to_string(menu_.EntryCount()) +
                                        " entries; the launcher reads entries 1 to 8"));
        CheckLines();
        CheckPictures();
        CheckNotice();
    }

private:
    bool Has(SettingId id) const { return LineOf(id) < menu_.FixedLinesPresent(); }
    const std::string& Text(SettingId id) const { return menu_.Text(id); }

    void Report(SettingId id, std::string text) {
        problems_.push_back(origins_.lines[LineOf(id)].At(std::move(text)));
    }

    std::optional<int32_t> Integer(SettingId id) {
        if (!Has(id))
            return std::nullopt;
        const SettingInfo& row = Setting(id);
        const std::string& text = Text(id);
        int32_t value = 0;
        if (!TryStrToInt(text, value)) {
            std::string allowed = Range(row.low, row.high);
            if (origins_.fromMenuIni &&
                (row.kind == SettingKind::Colour || row.kind == SettingKind::CheckBoxColour))
                allowed = "a colour #RRGGBB or " + allowed;
            Report(id, Quoted(text) + " is no integer; write " + allowed);
            return std::nullopt;
        }
        if (value < row.low || value > row.high) {
            Report(id, std::to_string(value) + " lies outside " + std::to_string(row.low) + ".." +
                           std::to_string(row.high) + "; write " + Range(row.low, row.high));
            return std::nullopt;
        }
        return value;
    }

    std::optional<bool> Boolean(SettingId id) {
        if (!Has(id))
            return std::nullopt;
        const std::string& text = Text(id);
        bool value = false, withComma = false;
        const bool point = TryStrToBoolWithSeparator(text, '.', value);
        const bool comma = TryStrToBoolWithSeparator(text, ',', withComma);
        if (point && comma)
            return value;
        const std::string allowed = origins_.fromMenuIni ? "yes or no" : "0, -1, True or False";
        if (point || comma)
            Report(id, Quoted(text) + " is a Boolean only where the decimal separator is '" +
                           (point ? "." : ",") + "', so the user's locale would decide; write " +
                           allowed);
        else
            Report(id, Quoted(text) + " is no Boolean (a number, True or False); write " + allowed);
        return std::nullopt;
    }

    void SoundDigits(SettingId id) {
        if (!Has(id))
            return;
        const std::string& text = Text(id);
        bool digits = text.size() >= 4;
        for (std::size_t i = 0; digits && i < 4; ++i)
            digits = text[i] >= '0' && text[i] <= '9';
        if (!digits)
            Report(id, Quoted(text) + " does not begin with four digits 0 to 9; write " +
                           (origins_.fromMenuIni ? "Start, Enter, Press and Leave as sound names, "
                                                   "or four digits"
                                                 : "four digits, one per sound"));
    }

    void CheckLines() {
        // Every installed version passes an empty line 0, so the menu then
        // always comes in launch mode: its notice lines are never read and
        // the buttons of the requirement mode alone are never shown.
        requirementMode_ =
            !Has(SettingId::MinimumDirectX) || !Text(SettingId::MinimumDirectX).empty();
        const bool requirementMode = requirementMode_;
        bool anyButtonShown = false;
        for (const ButtonAction& action : ButtonActions()) {
            const int g = action.group;
            const std::optional<bool> shown = Boolean(ButtonSetting(g, kButtonShown));
            if ((action.modes & kLaunchMode) != 0 || requirementMode)
                anyButtonShown = anyButtonShown || shown.value_or(false);
            if (shown.value_or(false)) {
                shownInLaunchMode_ += (action.modes & kLaunchMode) != 0 ? 1 : 0;
                shownInRequirementMode_ +=
                    requirementMode && (action.modes & kRequirementMode) != 0 ? 1 : 0;
            }
            Integer(ButtonSetting(g, kButtonLeft));
            Integer(ButtonSetting(g, kButtonTop));
        }
        for (int line = LineOf(SettingId::ButtonFontSize); line < kFixedLines; ++line) {
            const SettingInfo& row = SettingTable()[line];
            if ((row.quirks & kReadPerShownButton) != 0 && !anyButtonShown)
                continue;
            if (row.roads == kRequirementMode && !requirementMode)
                continue;
            if (row.kind == SettingKind::SoundDigits)
                SoundDigits(row.id);
            else if (row.kind == SettingKind::ScrollBars)
                ScrollBars(row.id);
            else if (row.kind == SettingKind::CheckBoxColour)
                CheckBoxColour(row.id);
            else if (row.kind != SettingKind::Text && row.kind != SettingKind::Switch &&
                     row.kind != SettingKind::Unread)
                Integer(row.id);
        }
        MissingLines();
    }

    // 1 to 3 give scroll bars; the launcher takes any other number for none.
    void ScrollBars(SettingId id) {
        const std::optional<int32_t> value = Integer(id);
        if (value && (*value < 0 || *value > 3))
            problems_.push_back(origins_.lines[LineOf(id)].At(
                std::to_string(*value) + " gives no scroll bars, as 0 does; write " +
                    (origins_.fromMenuIni ? "none, vertical, horizontal or both"
                                          : "0 (none), 1 (vertical), 2 (horizontal) or 3 (both)"),
                Severity::Warning));
    }

    // Line 69 is a colour and, in launch mode, also a Boolean: decimal only.
    void CheckBoxColour(SettingId id) {
        bool shown = false;
        if (Integer(id) && !TryStrToBool(Text(id), shown))
            Report(id, Quoted(Text(id)) +
                           " is a colour but no decimal number, which the check "
                           "box's visibility needs in launch mode; write " +
                           (origins_.fromMenuIni ? "#RRGGBB or " : std::string()) +
                           "the colour in decimal");
    }

    void MissingLines() {
        const int present = menu_.FixedLinesPresent() + static_cast<int>(menu_.Tail().size());
        std::optional<int32_t> options;
        int last = LineOf(SettingId::OptionCount);
        if (Has(SettingId::OptionCount)) {
            int32_t count = 0;
            if (TryStrToInt(Text(SettingId::OptionCount), count))
                options = count;
        }
        if (options && *options > 1) {
            const int64_t wanted = int64_t{kFirstOptionLine} + *options - 1;
            last = wanted > INT_MAX ? INT_MAX : static_cast<int>(wanted);
        }
        if (present > last)
            return;
        if (origins_.fromMenuIni && menu_.FixedLinesPresent() == kFixedLines) {
            Report(SettingId::OptionCount, std::to_string(*options) + " options, but only " +
                                               std::to_string(menu_.Tail().size()) +
                                               " Option keys are given; give Option1 to Option" +
                                               std::to_string(*options) + ", or leave Count out");
            return;
        }
        const std::string range = present == last ? "line " + std::to_string(last) + " is"
                                                  : "lines " + std::to_string(present) + " to " +
                                                        std::to_string(last) + " are";
        problems_.push_back(
            origins_.list.At(range + " missing: the list has " + std::to_string(present) +
                             " lines, the launcher reads up to line " + std::to_string(last) +
                             (last > LineOf(SettingId::OptionCount)
                                  ? " (" + std::to_string(*options) + " option lines from line 72)"
                                  : std::string())));
    }

    void CheckPictures() {
        std::optional<TBmpGeometry> sizes[kPictureCount];
        for (int i = 0; i < kPictureCount; ++i) {
            if (kFirstPictureEntry + i > menu_.EntryCount())
                break;
            const PictureRole role = PictureAt(i);
            const std::vector<uint8_t>& bytes = menu_.Picture(role).bytes;
            const SettingOrigin& origin = origins_.pictures[i];
            if (bytes.empty()) {
                // The launcher takes an empty entry as an empty picture; an
                // author who names no picture at all is told what is needed.
                // An empty name is no picture either: the launcher would show
                // an empty window of 116 x 130.
                if (origins_.fromMenuIni && menu_.Picture(role).fileName.empty() && Needed(role))
                    problems_.push_back(origin.At("no " + std::string(PictureLabel(role)) +
                                                  " picture is named; write " +
                                                  std::string(PictureKey(role)) + "=FILE"));
                continue;
            }
            const TBmpCheck check = CheckBmpFile(bytes.data(), bytes.size());
            if (!check.Ok) {
                problems_.push_back(origin.At("the " + std::string(PictureLabel(role)) +
                                              " picture is no valid bitmap: " + check.Error));
                continue;
            }
            sizes[i] = check.Geometry;
        }
        SameSize(sizes, 1, 3, "the three button pictures");
        SameSize(sizes, 4, 5, "the two check box pictures");
        CheckMemory(sizes);
    }

    // All pictures together must fit what the launcher can hold at once.
    void CheckMemory(const std::optional<TBmpGeometry>* sizes) {
        std::array<std::optional<PictureFootprint>, kPictureCount> pictures;
        int largest = -1;
        uint64_t largestBytes = 0;
        for (int i = 0; i < kPictureCount; ++i) {
            if (!sizes[i])
                continue;
            pictures[i] =
                PictureFootprint{sizes[i]->Width, sizes[i]->Height,
                                 sizes[i]->BitCount == 16 ? uint16_t{24} : sizes[i]->BitCount,
                                 menu_.Picture(PictureAt(i)).bytes.size()};
            const uint64_t bytes =
                BitmapBytes(pictures[i]->width, pictures[i]->height, pictures[i]->bitCount);
            if (bytes > largestBytes)
                largest = i, largestBytes = bytes;
        }
        const int shown = std::max(shownInLaunchMode_, shownInRequirementMode_);
        const uint64_t peak = LauncherPictureBytes(pictures, shown);
        if (largest < 0 || peak <= kLauncherPictureBudget)
            return;
        auto mb = [](uint64_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20); };
        problems_.push_back(origins_.pictures[largest].At(
            "the pictures need about " + mb(peak) + " MB of the launcher's memory at once (" +
            std::to_string(shown) +
            " shown buttons keep copies of the button pictures), more "
            "than the " +
            mb(kLauncherPictureBudget) + " MB it can count on; make the largest, the " +
            std::string(PictureLabel(PictureAt(largest))) + " picture (" +
            std::to_string(sizes[largest]->Width) + " x " + std::to_string(sizes[largest]->Height) +
            "), smaller"));
    }

    // The notice box lays out long lines slowly, and the menu waits for it.
    void CheckNotice() {
        const std::vector<uint8_t>& text = menu_.Notice().bytes;
        if (menu_.EntryCount() < 2 || !requirementMode_)
            return;
        const NoticeShape shape = MeasureNotice(
            std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
        auto seconds = [](double s) {
            return std::to_string(static_cast<long long>(s * 10 + 0.5) / 10) + "." +
                   std::to_string(static_cast<long long>(s * 10 + 0.5) % 10);
        };
        if (shape.seconds > kNoticeTooSlowSeconds) {
            problems_.push_back(origins_.notice.At(
                "the notice (" + std::to_string(shape.lines) + " lines, " +
                std::to_string(shape.characters) + " characters, the longest " +
                std::to_string(shape.longestLine) + ") would keep the menu waiting about " +
                seconds(shape.seconds) + " s while the notice box lays it out; at most " +
                seconds(kNoticeTooSlowSeconds) + " s: shorten it, and break long lines"));
        } else if (shape.longestLine > kLongNoticeLine) {
            problems_.push_back(origins_.notice.At(
                "line " + std::to_string(shape.longestLineNumber) + " of the notice has " +
                    std::to_string(shape.longestLine) +
                    " characters, which the notice box lays out slowly; break it into lines of "
                    "at most " +
                    std::to_string(kLongNoticeLine),
                Severity::Warning));
        }
    }

    bool Needed(PictureRole role) const {
        switch (role) {
        case PictureRole::Background:
            return true;
        case PictureRole::ButtonShape:
            for (int g = 1; g <= kButtonGroups; ++g)
                if (Text(ButtonSetting(g, 0)) != "0")
                    return true;
            return false;
        case PictureRole::CheckBoxShape:
            return Text(SettingId::CheckBoxFontColor) != "0";
        default:
            return false;
        }
    }

    void SameSize(const std::optional<TBmpGeometry>* sizes, int first, int last,
                  const char* group) {
        for (int i = first + 1; i <= last; ++i) {
            if (!sizes[first] || !sizes[i])
                continue;
            if (sizes[i]->Width == sizes[first]->Width && sizes[i]->Height == sizes[first]->Height)
                continue;
            auto size = [](const TBmpGeometry& g) {
                return std::to_string(g.Width) + " x " + std::to_string(g.Height);
            };
            problems_.push_back(origins_.pictures[i].At(
                "the " + std::string(PictureLabel(PictureAt(i))) + " picture is " +
                size(*sizes[i]) + " but the " + std::string(PictureLabel(PictureAt(first))) +
                " picture is " + size(*sizes[first]) + "; " + group + " must have one size"));
        }
    }

    const MenuDocument& menu_;
    const MenuOrigins& origins_;
    std::vector<Problem>& problems_;
    bool requirementMode_ = true;
    int shownInLaunchMode_ = 0, shownInRequirementMode_ = 0;
};

} // namespace

std::vector<Problem> CheckMenu(const MenuDocument& menu, const MenuOrigins& origins) {
    std::vector<Problem> problems;
    Checker(menu, origins, problems).Run();
    return problems;
}
