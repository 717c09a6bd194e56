#include "designer/model/RecentFiles.h"

#include <algorithm>

#include "format/MenuSettings.h"

void RecentFiles::Remove(const std::string& path) {
    std::erase_if(items_, [&](const std::string& item) { return SameName(item, path); });
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty())
        return;
    Remove(path);
    items_.insert(items_.begin(), path);
    if (items_.size() > kMaxRecentFiles)
        items_.resize(kMaxRecentFiles);
}

std::string RecentFiles::ToText() const {
    std::string text;
    for (const std::string& item : items_)
        text += item + "\n";
    return text;
}

RecentFiles RecentFiles::FromText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    // Added oldest first, so the first line ends up first.
    RecentFiles recent;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        recent.Add(*line);
    return recent;
}
