#include "model/zoom_steps.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace tallimer {

int NearestZoomStep(int percent) {
    return *std::min_element(std::begin(kZoomSteps), std::end(kZoomSteps), [percent](int a, int b) {
        return std::abs(a - percent) < std::abs(b - percent);
    });
}

int NextZoomStep(int percent, int direction) {
    const int* at =
        std::find(std::begin(kZoomSteps), std::end(kZoomSteps), NearestZoomStep(percent));
    if (direction > 0 && at + 1 != std::end(kZoomSteps)) {
        ++at;
    } else if (direction < 0 && at != std::begin(kZoomSteps)) {
        --at;
    }
    return *at;
}

int DefaultZoom(int availableScreenHeight) {
    if (availableScreenHeight >= 1600) {
        return 200;
    }
    return availableScreenHeight > 1000 ? 150 : 100;
}

}  // namespace tallimer
