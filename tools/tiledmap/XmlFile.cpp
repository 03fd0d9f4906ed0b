// Loading XML files for import and looking up custom properties.
#include "tools/tiledmap/XmlFile.h"

#include <algorithm>
#include <cstring>

#include "common/FileIO.h"

namespace vorn::tiledmap {

bool XmlFile::Load(const std::string& path, Diagnostics& diagnostics) {
    path_ = path;
    if (!ReadWholeFile(path, text_)) {
        diagnostics.Error(path, 0, "cannot read the file");
        return false;
    }
    const pugi::xml_parse_result result =
        document_.load_buffer(text_.data(), text_.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!result) {
        diagnostics.Error(path, LineAt(result.offset),
                          std::string("not a readable XML file: ") + result.description());
        return false;
    }
    return true;
}

int XmlFile::LineAt(ptrdiff_t offset) const {
    if (offset < 0 || static_cast<size_t>(offset) > text_.size())
        return 0;
    return 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + offset, '\n'));
}

const char* PropertyValue(pugi::xml_node node, const char* name) {
    for (pugi::xml_node property : node.child("properties").children("property")) {
        if (std::strcmp(property.attribute("name").value(), name) != 0)
            continue;
        const pugi::xml_attribute value = property.attribute("value");
        return value ? value.value() : property.text().get();
    }
    return nullptr;
}

}  // namespace vorn::tiledmap
