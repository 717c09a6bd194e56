// What the launcher can show of a picture's transparency: it has no alpha,
// only the fuchsia (255, 0, 255) that shape pictures cut away.
#pragma once

#include <string>

#include "authoring/PictureImport.h"
#include "authoring/RgbaImage.h"

// Turns every pixel into the colour the launcher will show, in place, and
// makes it opaque. In a shape picture with transparency a pixel less than
// half opaque (alpha below 128) becomes fuchsia and any other keeps its
// colour unchanged (edges are not darkened); an opaque pixel that is exactly
// fuchsia would be cut away, so it raises PictureError naming `name`, their
// count and the first one. A shape picture without transparency keeps its
// fuchsia as the author's cut colour. In the other pictures the colour is
// laid over black by its alpha.
void ApplyPictureRole(const std::string& name, RgbaImage& image, PictureRole role);
