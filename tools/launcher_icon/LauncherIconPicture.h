// The launcher's icon, drawn in code at any size: a white "play" triangle with
// rounded corners on a blue-grey disc. Edges are anti-aliased in the alpha
// channel, so the icon sits cleanly on any desktop colour.
#pragma once

#include "authoring/StarterPictures.h"

// Square picture of size x size pixels (16 to 256).
StarterImage DrawLauncherIcon(int size);
