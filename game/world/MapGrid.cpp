// The map cell grid. Its size comes straight from settings.ini, so absurd
// sizes are refused here with an empty grid rather than a crash: every reader
// of the grid already treats cells outside it as absent.
#include "game/world/MapGrid.h"

#include <new>

namespace vorn {

void MapGrid::Allocate(int32_t width, int32_t height) {
    width_ = 0;
    height_ = 0;
    cells_.clear();
    cells_.shrink_to_fit();
    if (width <= 0 || height <= 0)
        return;
    const int64_t count = static_cast<int64_t>(width) * height;
    if (count > kMaxCells)
        return;
    try {
        cells_.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        cells_.clear();
        cells_.shrink_to_fit();
        return;
    }
    width_ = width;
    height_ = height;
}

}  // namespace vorn
