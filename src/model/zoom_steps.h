#pragma once

namespace tallimer {

// The main window's zoom, in percent of the handheld's layout.
constexpr int kZoomSteps[] = {100, 125, 150, 175, 200, 250, 300};

// The step nearest to `percent` (a stored value may be anything).
int NearestZoomStep(int percent);
// The next step up (`direction` > 0) or down from `percent`, kept within the steps.
int NextZoomStep(int percent, int direction);
// Without a stored zoom: the handheld's size where the screen is small, larger on a screen
// taller than 1,000 logical pixels, where 294 pixels would be a sliver.
int DefaultZoom(int availableScreenHeight);

}  // namespace tallimer
