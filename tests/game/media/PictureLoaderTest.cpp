// Sprite file decoding: every PNG colour type and depth, interlacing,
// Windows bitmaps, and broken or hostile files, which must give no picture
// (handle 0) without reading outside the file.
#include "game/media/PictureLoader.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <random>

#include "common/PngEncoder.h"
#include "game/media/HeadlessMedia.h"
#include "tests/game/media/MediaTestFiles.h"

namespace vorn {
namespace {

using PngSpec = PngImage;
using test::TempFolder;

Picture Decode(const std::string& bytes) {
    Picture picture;
    EXPECT_TRUE(DecodePng(bytes, picture));
    return picture;
}

PngSpec Spec(int width, int height, int colourType, int bitDepth, std::vector<uint8_t> rows) {
    PngSpec spec;
    spec.width = width;
    spec.height = height;
    spec.colourType = colourType;
    spec.bitDepth = bitDepth;
    spec.rows = std::move(rows);
    spec.littleEndianSamples = true;
    return spec;
}

TEST(PngColourTypeTest, RgbEightBit) {
    const Picture picture =
        Decode(EncodePng(Spec(2, 1, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 250, 251, 252})));
    ASSERT_EQ(picture.width, 2);
    ASSERT_EQ(picture.height, 1);
    EXPECT_EQ(picture.pixels[0], 0xFF010203u);
    EXPECT_EQ(picture.pixels[1], 0xFFFAFBFCu);
}

TEST(PngColourTypeTest, RgbSixteenBitKeepsTheHighBytes) {
    // Rows are little-endian words here: 0x12AB is stored AB 12.
    const Picture picture =
        Decode(EncodePng(Spec(1, 1, PNG_COLOR_TYPE_RGB, 16, {0xAB, 0x12, 0xCD, 0x34, 0xEF, 0x56})));
    EXPECT_EQ(picture.pixels[0], 0xFF123456u);
}

TEST(PngColourTypeTest, RgbaAlphaDecidesVisibility) {
    const Picture picture = Decode(
        EncodePng(Spec(3, 1, PNG_COLOR_TYPE_RGBA, 8, {9, 8, 7, 255, 9, 8, 7, 128, 9, 8, 7, 127})));
    EXPECT_EQ(picture.pixels[0], 0xFF090807u);
    EXPECT_EQ(picture.pixels[1], 0xFF090807u);
    EXPECT_EQ(picture.pixels[2], 0x00090807u);
}

TEST(PngColourTypeTest, RgbaSixteenBit) {
    const Picture picture = Decode(EncodePng(
        Spec(1, 1, PNG_COLOR_TYPE_RGBA, 16, {0x00, 0x10, 0x00, 0x20, 0x00, 0x30, 0x00, 0x00})));
    EXPECT_EQ(picture.pixels[0], 0x00102030u);
}

TEST(PngColourTypeTest, GreyAtEveryDepth) {
    EXPECT_EQ(Decode(EncodePng(Spec(1, 1, PNG_COLOR_TYPE_GRAY, 8, {0x7F}))).pixels[0], 0xFF7F7F7Fu);
    EXPECT_EQ(Decode(EncodePng(Spec(1, 1, PNG_COLOR_TYPE_GRAY, 16, {0x00, 0x40}))).pixels[0],
              0xFF404040u);
    // 1-bit: 8 pixels in one byte, 1 is white.
    const Picture bits = Decode(EncodePng(Spec(8, 1, PNG_COLOR_TYPE_GRAY, 1, {0xA0})));
    ASSERT_EQ(bits.pixels.size(), 8u);
    EXPECT_EQ(bits.pixels[0], 0xFFFFFFFFu);
    EXPECT_EQ(bits.pixels[1], 0xFF000000u);
    EXPECT_EQ(bits.pixels[2], 0xFFFFFFFFu);
    EXPECT_EQ(bits.pixels[7], 0xFF000000u);
    // 4-bit: 0xF is white, 0x5 is 0x55.
    const Picture nibbles = Decode(EncodePng(Spec(2, 1, PNG_COLOR_TYPE_GRAY, 4, {0xF5})));
    EXPECT_EQ(nibbles.pixels[0], 0xFFFFFFFFu);
    EXPECT_EQ(nibbles.pixels[1], 0xFF555555u);
}

TEST(PngColourTypeTest, GreyWithAlpha) {
    const Picture picture =
        Decode(EncodePng(Spec(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x20, 0xFF, 0x30, 0x00})));
    EXPECT_EQ(picture.pixels[0], 0xFF202020u);
    EXPECT_EQ(picture.pixels[1], 0x00303030u);
    const Picture deep =
        Decode(EncodePng(Spec(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, {0x00, 0x90, 0xFF, 0xFF})));
    EXPECT_EQ(deep.pixels[0], 0xFF909090u);
}

TEST(PngColourTypeTest, PaletteWithTransparentEntry) {
    PngSpec spec = Spec(3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2});
    spec.palette = {0x00FFFF, 0xFF0000, 0x112233};
    spec.paletteAlpha = {255, 0};  // entry 1 see-through, entry 2 opaque by default
    const Picture picture = Decode(EncodePng(spec));
    EXPECT_EQ(picture.pixels[0], 0xFF00FFFFu);
    EXPECT_EQ(picture.pixels[1], 0x00FF0000u);
    EXPECT_EQ(picture.pixels[2], 0xFF112233u);
}

TEST(PngColourTypeTest, PaletteOfFewBits) {
    PngSpec spec = Spec(4, 1, PNG_COLOR_TYPE_PALETTE, 2, {0x1B});  // indices 0 1 2 3
    spec.palette = {0x000001, 0x000002, 0x000003, 0x000004};
    const Picture picture = Decode(EncodePng(spec));
    ASSERT_EQ(picture.pixels.size(), 4u);
    EXPECT_EQ(picture.pixels[0], 0xFF000001u);
    EXPECT_EQ(picture.pixels[3], 0xFF000004u);
}

TEST(PngColourTypeTest, InterlacedPicturesComeOutInPlace) {
    const int size = 11;  // not a multiple of 8, so every pass is partial
    std::vector<uint8_t> rows;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            rows.insert(rows.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 0x99});
        }
    }
    PngSpec spec = Spec(size, size, PNG_COLOR_TYPE_RGB, 8, rows);
    spec.interlaced = true;
    const Picture picture = Decode(EncodePng(spec));
    ASSERT_EQ(picture.width, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            ASSERT_EQ(picture.pixels[y * size + x], 0xFF000099u | (x << 16) | (y << 8))
                << x << "," << y;
        }
    }
}

TEST(PngColourTypeTest, ALargePictureStoredInOneHugeDataChunkLoads) {
    // Noise does not compress, so the single data chunk is about 12 MB.
    const int size = 2000;
    std::vector<uint8_t> rows(static_cast<size_t>(size) * size * 3);
    std::mt19937 random(5);
    for (uint8_t& byte : rows) {
        byte = static_cast<uint8_t>(random());
    }
    PngSpec spec = Spec(size, size, PNG_COLOR_TYPE_RGB, 8, rows);
    spec.dataChunkBytes = rows.size() + rows.size() / 8;
    const std::string png = EncodePng(spec);
    ASSERT_GT(png.size(), 10000000u);
    const size_t firstChunk = png.find("IDAT");
    ASSERT_NE(firstChunk, std::string::npos);
    EXPECT_EQ(png.find("IDAT", firstChunk + 4), std::string::npos);  // one chunk only
    const Picture picture = Decode(png);
    ASSERT_EQ(picture.width, size);
    const size_t last = rows.size() - 3;
    EXPECT_EQ(picture.pixels.back(),
              0xFF000000u | (rows[last] << 16) | (rows[last + 1] << 8) | rows[last + 2]);
}

// --- Windows bitmaps --------------------------------------------------------

TEST(BmpTest, TwentyFourBitRowsAreStoredBottomUp) {
    Picture picture;
    ASSERT_TRUE(DecodeBmp(mediatest::Bmp24(3, 2,
                                           {0x010203, 0x040506, 0x070809,  //
                                            0x0A0B0C, 0x0D0E0F, 0x101112}),
                          picture));
    ASSERT_EQ(picture.width, 3);
    ASSERT_EQ(picture.height, 2);
    EXPECT_EQ(picture.pixels[0], 0xFF010203u);
    EXPECT_EQ(picture.pixels[2], 0xFF070809u);
    EXPECT_EQ(picture.pixels[3], 0xFF0A0B0Cu);
    EXPECT_EQ(picture.pixels[5], 0xFF101112u);
}

// --- Files through the layer -------------------------------------------------

class SpriteFileTest : public ::testing::Test {
protected:
    void SetUp() override { media.EnablePngDecoding(); }
    SpriteHandle LoadBytes(const std::string& bytes) {
        return media.LoadSpriteFile(dir.Write("f" + std::to_string(++count), bytes));
    }
    TempFolder dir;
    HeadlessMedia media;
    int count = 0;
};

TEST_F(SpriteFileTest, BmpIsRecognisedByItsFirstTwoBytesWhateverTheName) {
    const SpriteHandle sprite = media.LoadSpriteFile(
        dir.Write("picture.png", mediatest::Bmp24(5, 4, std::vector<uint32_t>(20, 0x123456))));
    ASSERT_NE(sprite, 0);
    EXPECT_EQ(media.SpriteWidth(sprite), 5);
    EXPECT_EQ(media.SpriteHeight(sprite), 4);
    const SpriteHandle png = media.LoadSpriteFile(
        dir.Write("picture.bmp", mediatest::RgbPng(2, 3, std::vector<uint32_t>(6, 0))));
    EXPECT_EQ(media.SpriteHeight(png), 3);
}

TEST_F(SpriteFileTest, EnablingPngDecodingIsRecordedAndPngLoadsEitherWay) {
    HeadlessMedia fresh;
    EXPECT_FALSE(fresh.PngDecodingEnabled());
    EXPECT_NE(fresh.LoadSpriteFile(dir.Write("a.png", mediatest::RgbPng(1, 1, {0}))), 0);
    fresh.EnablePngDecoding();
    EXPECT_TRUE(fresh.PngDecodingEnabled());
    EXPECT_NE(fresh.LoadSpriteFile(dir.PathOf("a.png")), 0);
}

TEST_F(SpriteFileTest, MissingEmptyAndGarbageFilesGiveZero) {
    EXPECT_EQ(media.LoadSpriteFile(dir.PathOf("missing.png")), 0);
    EXPECT_EQ(media.LoadSpriteFile(dir.PathOf("")), 0);  // the folder itself
    EXPECT_EQ(media.LoadSpriteFile(""), 0);
    EXPECT_EQ(LoadBytes(""), 0);
    EXPECT_EQ(LoadBytes("B"), 0);
    EXPECT_EQ(LoadBytes("BM"), 0);
    EXPECT_EQ(LoadBytes("hello, this is not a picture"), 0);
    EXPECT_EQ(LoadBytes(std::string(5000, '\0')), 0);
    EXPECT_EQ(LoadBytes("\x89PNG\r\n\x1a\n" + std::string(100, 'x')), 0);
    EXPECT_EQ(LoadBytes("BM" + std::string(100, '\xFF')), 0);
}

TEST_F(SpriteFileTest, EveryTruncationOfAPngGivesZero) {
    std::vector<uint32_t> pixels(8 * 8);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<uint32_t>(i * 0x030507);
    }
    const std::string png = mediatest::RgbPng(8, 8, pixels);
    ASSERT_NE(LoadBytes(png), 0);
    // The IEND chunk (12 bytes) holds no picture data; cuts before it fail.
    for (size_t cut = 0; cut + 12 < png.size(); ++cut) {
        ASSERT_EQ(LoadBytes(png.substr(0, cut)), 0) << cut;
    }
}

TEST_F(SpriteFileTest, EveryTruncationOfABmpGivesZero) {
    const std::string bmp = mediatest::Bmp24(6, 5, std::vector<uint32_t>(30, 0xABCDEF));
    ASSERT_NE(LoadBytes(bmp), 0);
    for (size_t cut = 0; cut < bmp.size(); ++cut) {
        ASSERT_EQ(LoadBytes(bmp.substr(0, cut)), 0) << cut;
    }
}

// Replaces a PNG's IHDR size fields and fixes the chunk's checksum, so only
// the size check can refuse the file.
std::string WithPngSize(std::string png, uint32_t width, uint32_t height) {
    auto put = [&png](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            png[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
        }
    };
    put(16, width);
    put(20, height);
    const uLong crc =
        crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);  // type + 13 data bytes
    put(29, static_cast<uint32_t>(crc));
    return png;
}

TEST_F(SpriteFileTest, AbsurdPictureSizesAreRefusedBeforeAllocating) {
    const std::string png = mediatest::RgbPng(4, 4, std::vector<uint32_t>(16, 0));
    EXPECT_NE(LoadBytes(WithPngSize(png, 4, 4)), 0);  // the rewrite itself is sound
    EXPECT_EQ(LoadBytes(WithPngSize(png, 100000, 4)), 0);
    EXPECT_EQ(LoadBytes(WithPngSize(png, 16384, 16384)), 0);  // 1 GB of pixels
    EXPECT_EQ(LoadBytes(WithPngSize(png, 0x7FFFFFFF, 0x7FFFFFFF)), 0);

    std::string bmp = mediatest::Bmp24(2, 2, std::vector<uint32_t>(4, 0));
    auto putLe = [&bmp](size_t at, int32_t value) {
        for (int i = 0; i < 4; ++i) {
            bmp[at + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
        }
    };
    putLe(18, 200000);
    EXPECT_EQ(LoadBytes(bmp), 0);
    putLe(18, 2);
    putLe(22, -2000000000);
    EXPECT_EQ(LoadBytes(bmp), 0);
    putLe(22, -2);  // top-down rows, a legal size
    EXPECT_NE(LoadBytes(bmp), 0);
}

TEST_F(SpriteFileTest, CorruptedBytesNeverCrash) {
    std::vector<uint32_t> pixels(16 * 12, 0x00FFFF);
    const std::string files[] = {
        mediatest::RgbPng(16, 12, pixels),
        mediatest::RgbaPng(16, 12, pixels),
        mediatest::Bmp24(16, 12, pixels),
    };
    ASSERT_NE(media.OpenSpriteScreen(media.OpenGameWindow("t", 40, 40), 40, 40), 0);
    std::mt19937 random(12345);
    int loaded = 0;
    for (const std::string& original : files) {
        for (int round = 0; round < 150; ++round) {
            std::string damaged = original;
            const int flips = 1 + static_cast<int>(random() % 8);
            for (int i = 0; i < flips; ++i) {
                damaged[random() % damaged.size()] = static_cast<char>(random());
            }
            const SpriteHandle sprite = LoadBytes(damaged);
            if (sprite != 0) {
                ++loaded;
                // Whatever loaded draws within its stated size (the sanitizer
                // build catches any read past the pixels).
                EXPECT_GT(media.SpriteWidth(sprite), 0);
                media.DrawSprite(sprite, 0, 0);
                media.DrawSpriteTransparent(sprite, 1, 1);
                media.FreeSprite(sprite);
            }
        }
    }
    // Damage in pixel bytes of a bitmap is harmless, so some files still load.
    EXPECT_GT(loaded, 0);
}

}  // namespace
}  // namespace vorn
