// The pictures of the starter menu, drawn in code: a background, a pill-shaped
// button in three states and a check-box plate, unticked and ticked. Edges are
// anti-aliased in the alpha channel.
#pragma once

#include <cstdint>
#include <vector>

struct StarterImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba; // rows from the top, 4 bytes a pixel
};

StarterImage DrawStarterBackground(int width, int height);
enum class ButtonLook { Normal, Over, Pressed };
StarterImage DrawStarterButton(int width, int height, ButtonLook look);
StarterImage DrawStarterCheckBox(int width, int height, bool ticked);

// The image as a PNG file (8-bit RGBA, or RGB when opaque is set).
std::vector<uint8_t> EncodePng(const StarterImage& image, bool opaque);
