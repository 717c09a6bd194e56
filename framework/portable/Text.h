// Small text helpers shared by the conversions.
#pragma once

#include <string>

// Equal texts, ignoring the case of ASCII letters (the runtime's SameText for
// the fixed words it compares: colour names, "True"/"False").
bool SameText(const std::string& a, const char* b);
