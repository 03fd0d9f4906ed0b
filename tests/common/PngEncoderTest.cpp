// The shared PNG encoder: what it refuses, and the header it writes (the
// decoder's tests read every colour type it encodes).
#include "common/PngEncoder.h"

#include <gtest/gtest.h>

#include <string>

namespace vorn {
namespace {

uint32_t BigEndian32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

TEST(PngEncoderTest, RefusesRowsThatDoNotFitTheDescription) {
    PngImage image;
    image.width = 2;
    image.height = 2;
    image.rows.assign(2 * 2 * 3 - 1, 0);  // one byte short of 8-bit RGB
    EXPECT_EQ(EncodePng(image), "");
    image.rows.push_back(0);
    EXPECT_NE(EncodePng(image), "");
    image.colourType = 5;  // no such colour type
    EXPECT_EQ(EncodePng(image), "");
    EXPECT_EQ(EncodeRgbPng(0, 4, nullptr), "");
}

TEST(PngEncoderTest, WritesTheSignatureAndTheSizeIntoTheHeader) {
    const uint32_t pixels[6] = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x000000};
    const std::string bytes = EncodeRgbPng(3, 2, pixels);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1A\n");
    EXPECT_EQ(bytes.substr(12, 4), "IHDR");
    EXPECT_EQ(BigEndian32(bytes, 16), 3u);
    EXPECT_EQ(BigEndian32(bytes, 20), 2u);
    EXPECT_EQ(bytes[24], 8);  // bit depth
    EXPECT_EQ(bytes[25], 2);  // RGB
}

}  // namespace
}  // namespace vorn
