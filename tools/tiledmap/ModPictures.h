// The pictures of a mod that a Tiled map shows: the tile pictures of
// "tiles" and the object pictures of "objects", with their sizes.
#pragma once

#include <string>
#include <vector>

namespace vorn::tiledmap {

struct PictureFile {
    std::string file;  // name inside its folder
    std::string path;  // folder + "/" + file
    std::string name;  // the tile name for tiles; the file name for objects
    int width = 0;
    int height = 0;
};

// The tile pictures in the order the game loads them, named as the game
// names them. A picture whose size cannot be read gets the tile size.
std::vector<PictureFile> ListTilePictures(const std::string& modFolder, int tileWidth,
                                          int tileHeight);

// Every PNG or Windows bitmap file of the "objects" folder, sorted by name.
std::vector<PictureFile> ListObjectPictures(const std::string& modFolder);

// Width and height from the header of a PNG or Windows bitmap file; false
// for any other file.
bool ReadPictureSize(const std::string& path, int& width, int& height);

}  // namespace vorn::tiledmap
