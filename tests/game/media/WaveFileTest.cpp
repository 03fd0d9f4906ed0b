// RIFF WAVE checking: the chunk walk, the format record, lengths and the
// files that must be refused.
#include "game/media/WaveFile.h"

#include <gtest/gtest.h>

#include "tests/game/media/MediaTestFiles.h"

namespace vorn {
namespace {

using mediatest::Le16;
using mediatest::Le32;

std::string Chunk(const std::string& id, const std::string& body) {
    std::string chunk = id + Le32(static_cast<uint32_t>(body.size())) + body;
    if (body.size() % 2 != 0) {
        chunk += '\0';  // chunks are padded to an even size
    }
    return chunk;
}

std::string Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    const uint16_t align = static_cast<uint16_t>(channels * ((bits + 7) / 8));
    return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}

std::string Riff(const std::string& chunks) {
    return "RIFF" + Le32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

TEST(WaveFileTest, ReadsTheFormatAndTheLength) {
    WaveInfo info;
    ASSERT_TRUE(ParseWave(mediatest::Wav8(22050), info));
    EXPECT_EQ(info.formatTag, 1);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.sampleRate, 22050);
    EXPECT_EQ(info.bitsPerSample, 8);
    EXPECT_EQ(info.dataBytes, 22050u);
    EXPECT_EQ(info.DurationMs(), 1000);

    const std::string stereo =
        Riff(Chunk("fmt ", Format(1, 2, 44100, 16)) + Chunk("data", std::string(44100, '\0')));
    ASSERT_TRUE(ParseWave(stereo, info));
    EXPECT_EQ(info.blockAlign, 4);
    EXPECT_EQ(info.DurationMs(), 250);
}

TEST(WaveFileTest, SkipsOtherChunksIncludingOddSizedOnes) {
    const std::string wav = Riff(Chunk("LIST", "abc") + Chunk("fmt ", Format(1, 1, 8000, 8)) +
                                 Chunk("fact", "1234") + Chunk("data", std::string(80, 'x')));
    WaveInfo info;
    ASSERT_TRUE(ParseWave(wav, info));
    EXPECT_EQ(info.dataBytes, 80u);
    EXPECT_EQ(info.DurationMs(), 10);
}

TEST(WaveFileTest, AWrongRiffSizeIsIgnored) {
    std::string wav = mediatest::Wav8(100);
    wav.replace(4, 4, Le32(0));
    WaveInfo info;
    ASSERT_TRUE(ParseWave(wav, info));
    EXPECT_EQ(info.dataBytes, 100u);
}

TEST(WaveFileTest, AnEmptyDataChunkIsASilentSound) {
    WaveInfo info;
    ASSERT_TRUE(ParseWave(mediatest::Wav8(0), info));
    EXPECT_EQ(info.DurationMs(), 0);
}

TEST(WaveFileTest, ADataChunkCutShortCountsUpToTheEndOfTheFile) {
    const std::string whole = mediatest::Wav8(1000);
    WaveInfo info;
    ASSERT_TRUE(ParseWave(whole.substr(0, whole.size() - 400), info));
    EXPECT_EQ(info.dataBytes, 600u);
}

TEST(WaveFileTest, RefusesWhatIsNotAWaveFile) {
    const std::string format = Chunk("fmt ", Format(1, 1, 22050, 8));
    const std::string data = Chunk("data", "abcd");
    const std::string refused[] = {
        "",
        "RIFF",
        "RIFF\x10\0\0\0WAVE",                                    // no chunks
        Riff(data),                                              // data without a format
        Riff(data + format),                                     // format after the data
        Riff(format),                                            // format without data
        Riff(Chunk("fmt ", "short") + data),                     // format record too small
        Riff(Chunk("fmt ", Format(1, 0, 22050, 8)) + data),      // no channels
        Riff(Chunk("fmt ", Format(1, 1, 0, 8)) + data),          // no sample rate
        Riff(Chunk("fmt ", Format(1, 1, 22050, 12)) + data),     // odd sample size
        Riff(Chunk("fmt ", Format(0x55, 1, 22050, 16)) + data),  // MP3 in a WAVE file
        "RIFF" + Le32(100) + "AVI " + format + data,
        Riff("fmt " + Le32(0xFFFFFFF0) + Format(1, 1, 22050, 8)),  // size past the end
    };
    int index = 0;
    for (const std::string& bytes : refused) {
        WaveInfo info;
        EXPECT_FALSE(ParseWave(bytes, info)) << index;
        ++index;
    }
}

TEST(WaveFileTest, EveryTruncationBeforeTheDataIsRefused) {
    const std::string wav = mediatest::Wav8(16);
    const size_t dataStart = wav.size() - 16;
    for (size_t cut = 0; cut < dataStart; ++cut) {
        WaveInfo info;
        EXPECT_FALSE(ParseWave(wav.substr(0, cut), info)) << cut;
    }
}

}  // namespace
}  // namespace vorn
