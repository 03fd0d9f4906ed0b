#include "game/world/CellAttribute.h"

namespace vorn {

void CellAttribute::assign(size_t count, char c) {
    text_.assign(count, c);
    kind_ = KindOfAttribute(text_);
}

}  // namespace vorn
