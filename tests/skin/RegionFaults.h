// Makes one region call fail on purpose: the n-th call of one kind (counted
// from 1 while the object lives) reports failure; all other calls reach the
// system. The table is restored when the object goes.
#pragma once

#include "skin/RegionCalls.h"

enum class RegionCall { CreateRectRgn, CombineRgn, DeleteObject, SetWindowRgn };

class RegionFaults {
public:
    RegionFaults(RegionCall call, int failingCallNumber);
    // Counts calls without failing any.
    RegionFaults();
    ~RegionFaults();
    RegionFaults(const RegionFaults&) = delete;
    RegionFaults& operator=(const RegionFaults&) = delete;

    int Calls(RegionCall call) const;
    // True once the chosen call has been made (and failed).
    bool Fired() const;
};
