// What a change to the design document touched, sent with every change so
// the canvas, the property panel and the problems list refresh only what
// they show.
#pragma once

#include <cstdint>
#include <vector>

struct DesignChange {
    enum What : uint32_t {
        Lines = 1,      // configuration lines 0..71 (listed in lines)
        Options = 2,    // the option lines (and line 71, also listed in lines)
        Pictures = 4,   // one or more of the six pictures
        Notice = 8,     // the notice text
        Selection = 16, // the selected element
        Mode = 32,      // launch / requirement mode shown
        All = 64,       // a new document (open, new): everything
        Modified = 128, // the unsaved-changes mark or undo/redo availability
        Folder = 256,   // the folder the document is saved to (title)
    };
    uint32_t what = 0;
    std::vector<int> lines; // configuration lines changed, for Lines

    bool Has(What flag) const { return (what & flag) != 0; }
    // Joins another change's flags and lines.
    void Add(const DesignChange& other);
};
