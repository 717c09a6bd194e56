// The designer's recent menus: most recent first, each once (paths compared
// without regard to case, as Windows does), at most kMaxRecentFiles. The
// application stores the list as lines of text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kMaxRecentFiles = 8;

class RecentFiles {
public:
    // Puts path first (moving it when it is listed); drops the oldest past the cap.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Items() const { return items_; }

    // One path a line (LF); the reader takes CR LF too, skips empty lines and
    // applies the same rules as Add (so a damaged file gives a valid list).
    std::string ToText() const;
    static RecentFiles FromText(std::string_view text);

private:
    std::vector<std::string> items_;
};
