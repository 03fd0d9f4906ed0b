// An XML file loaded with pugixml that can name the line of each node, for
// "PATH:LINE: error:" messages.
#pragma once

#include <pugixml.hpp>

#include <string>

#include "common/Diagnostics.h"

namespace vorn::tiledmap {

class XmlFile {
public:
    // False (and an error naming the line) when the file cannot be read or
    // is not well-formed XML.
    bool Load(const std::string& path, Diagnostics& diagnostics);

    const std::string& Path() const { return path_; }
    pugi::xml_node Root() const { return document_.document_element(); }
    // The line of the node's start tag, 0 when it cannot be told.
    int LineOf(pugi::xml_node node) const { return LineAt(node.offset_debug()); }

private:
    int LineAt(ptrdiff_t offset) const;

    std::string path_;
    std::string text_;
    pugi::xml_document document_;
};

// The value of the custom property `name` of `node` (its <properties>
// child), or nullptr when it has none. Tiled writes a value with line
// breaks as the element's text.
const char* PropertyValue(pugi::xml_node node, const char* name);

}  // namespace vorn::tiledmap
