#include "designer/model/DesignChange.h"

#include <algorithm>

void DesignChange::Add(const DesignChange& other) {
    what |= other.what;
    for (int line : other.lines)
        if (std::find(lines.begin(), lines.end(), line) == lines.end())
            lines.push_back(line);
}
