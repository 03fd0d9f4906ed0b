// animations.ini definitions, instances created by name, and the frame step.
#include "game/world/Animations.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/game/support/TestGame.h"

namespace vorn {
namespace {

using test::TestGame;

// A game with the given animations.ini loaded and the clock at 1000 ms.
struct AnimationGame : TestGame {
    explicit AnimationGame(const std::string& definitions) {
        folder.Write("animations.ini", definitions);
        LoadAnimationDefinitions(game);
        media.SetTimeMs(1000);
    }
    // The live instance at `index` of the list.
    const Animation& Live(size_t index = 0) const { return game.map->animations.at(index); }
};

TEST(AnimationDefinitionsTest, FileWrittenByTheCreatorLoadsEveryDefinition) {
    // A leading line end and no final one, as the animation creator appends.
    AnimationGame t("\r\ntorch,torch.png,4,16,12.5,2\r\nwater , water.png ,3,32,6,1");
    ASSERT_EQ(t.game.assets.animationDefinitions.size(), 2u);
    const Animation& torch = t.game.assets.animationDefinitions[0];
    EXPECT_EQ(torch.Name, "torch");
    EXPECT_EQ(torch.FrameCount, 4);
    EXPECT_EQ(torch.FrameWidth, 16);
    EXPECT_FLOAT_EQ(torch.FramesPerSecond, 12.5f);
    EXPECT_EQ(torch.DrawStage, 2);
    EXPECT_EQ(torch.CurrentFrame, 0);
    EXPECT_EQ(torch.PlayOnce, 0);
    EXPECT_EQ(t.game.assets.animationDefinitions[1].Name, "water");
    EXPECT_EQ(t.game.assets.animationDefinitions[1].DrawStage, 1);
}

TEST(AnimationDefinitionsTest, BlankLineIsADefinitionAndReloadReplaces) {
    AnimationGame t("torch,torch.png,4,16,8,1\n   \n\n");
    ASSERT_EQ(t.game.assets.animationDefinitions.size(), 2u);
    EXPECT_EQ(t.game.assets.animationDefinitions[1].Name, "");
    LoadAnimationDefinitions(t.game);
    EXPECT_EQ(t.game.assets.animationDefinitions.size(), 2u);
}

TEST(AnimationDefinitionsTest, PicturesComeFromTheAnimationsFolder) {
    TestGame t;
    t.folder.Write("animations/fire.png", test::MakePng(48, 16, 0xFF8000));
    t.folder.Write("animations.ini", "fire, fire.png ,3,16,10,3\r\nsmoke,smoke.png,2,8,4,3\r\n");
    LoadAnimationDefinitions(t.game);
    ASSERT_EQ(t.game.assets.animationDefinitions.size(), 2u);
    ASSERT_NE(t.game.assets.animationDefinitions[0].Sprite, 0);
    EXPECT_EQ(t.media.SpriteWidth(t.game.assets.animationDefinitions[0].Sprite), 48);
    EXPECT_EQ(t.game.assets.animationDefinitions[1].Sprite, 0);

    // A missing file leaves no definitions.
    std::filesystem::remove(t.folder.Path() + "/animations.ini");
    LoadAnimationDefinitions(t.game);
    EXPECT_TRUE(t.game.assets.animationDefinitions.empty());
}

TEST(CreateAnimationTest, NameMatchesIgnoringCaseAndFirstDefinitionWins) {
    AnimationGame t(
        "torch,a.png,4,16,8,2\r\nTorch,b.png,9,16,8,3\r\n\xE9t\xE9,c.png,2,8,1,1\r\n"
        "\xFF,d.png,1,8,1,1\r\n");
    t.media.SetTimeMs(4321);
    CreateAnimationInstance(t.game, "TORCH", 64, 96, 0);
    ASSERT_EQ(t.game.map->animations.size(), 1u);
    const Animation& torch = t.Live();
    EXPECT_EQ(torch.Name, "torch");  // as written in the file
    EXPECT_EQ(torch.FrameCount, 4);  // the first line's definition
    EXPECT_EQ(torch.DrawStage, 2);
    EXPECT_EQ(torch.X, 64);
    EXPECT_EQ(torch.Y, 96);
    EXPECT_EQ(torch.LastFrameTime, 4321);
    EXPECT_EQ(torch.CurrentFrame, 0);

    // Latin-1 letters are upper-cased too.
    CreateAnimationInstance(t.game, "\xC9T\xC9", 0, 0, 0);
    ASSERT_EQ(t.game.map->animations.size(), 2u);
    EXPECT_EQ(t.Live(1).FrameCount, 2);

    // Byte 255 has no capital: it does not match 223.
    CreateAnimationInstance(t.game, "\xDF", 0, 0, 0);
    CreateAnimationInstance(t.game, "lantern", 0, 0, 0);
    EXPECT_EQ(t.game.map->animations.size(), 2u);
    // New instances go to the end of the list.
    CreateAnimationInstance(t.game, "torch", 1, 2, 0);
    EXPECT_EQ(t.Live(2).X, 1);
}

TEST(CreateAnimationTest, PlayOnceKeepsItsLowEightBits) {
    AnimationGame t("spark,s.png,2,8,10,1\r\n");
    CreateAnimationInstance(t.game, "spark", 0, 0, 257);
    CreateAnimationInstance(t.game, "spark", 0, 0, 256);
    EXPECT_EQ(t.Live(0).PlayOnce, 1);
    EXPECT_EQ(t.Live(1).PlayOnce, 0);
}

// The frame changes once `frameTime` ms have passed since the last change.
void ExpectFrameTime(const std::string& fps, int32_t frameTime) {
    AnimationGame t("a,a.png,10,8," + fps + ",1\r\n");
    CreateAnimationInstance(t.game, "a", 0, 0, 0);
    AdvanceAnimations(t.game, 1000 + frameTime - 1);
    EXPECT_EQ(t.Live().CurrentFrame, 0) << fps;
    AdvanceAnimations(t.game, 1000 + frameTime);
    EXPECT_EQ(t.Live().CurrentFrame, 1) << fps;
    EXPECT_EQ(t.Live().LastFrameTime, 1000 + frameTime);
    // The next change counts from the time of this one.
    AdvanceAnimations(t.game, 1000 + 2 * frameTime - 1);
    EXPECT_EQ(t.Live().CurrentFrame, 1) << fps;
    AdvanceAnimations(t.game, 1000 + 2 * frameTime);
    EXPECT_EQ(t.Live().CurrentFrame, 2) << fps;
}

TEST(AdvanceAnimationsTest, FrameTimeIsTheNearestMillisecondHalvesToEven) {
    ExpectFrameTime("8", 125);
    ExpectFrameTime("3", 333);
    ExpectFrameTime("6", 167);
    ExpectFrameTime("16", 62);  // 62.5 rounds to the even 62
    ExpectFrameTime("12.5", 80);
    ExpectFrameTime("1e999", 0);  // infinite rate: a step on every call
}

TEST(AdvanceAnimationsTest, AtMostOneStepPerCallAndLoopingWraps) {
    AnimationGame t("a,a.png,3,8,10,1\r\n");
    CreateAnimationInstance(t.game, "a", 0, 0, 0);
    AdvanceAnimations(t.game, 100000);
    EXPECT_EQ(t.Live().CurrentFrame, 1);
    AdvanceAnimations(t.game, 200000);
    AdvanceAnimations(t.game, 300000);
    EXPECT_EQ(t.Live().CurrentFrame, 0);
    EXPECT_EQ(t.game.map->animations.size(), 1u);
}

TEST(AdvanceAnimationsTest, PlayOnceShowsEveryFrameThenGoes) {
    AnimationGame t("boom,b.png,4,8,10,1\r\nloop,l.png,2,8,10,1\r\n");
    CreateAnimationInstance(t.game, "boom", 0, 0, 1);
    CreateAnimationInstance(t.game, "loop", 0, 0, 0);
    std::vector<int32_t> shown{t.Live().CurrentFrame};
    int32_t now = 1000;
    while (t.game.map->animations.size() == 2 && now < 5000) {
        now += 100;
        AdvanceAnimations(t.game, now);
        if (t.game.map->animations.size() == 2)
            shown.push_back(t.Live().CurrentFrame);
    }
    EXPECT_EQ(shown, (std::vector<int32_t>{0, 1, 2, 3}));
    ASSERT_EQ(t.game.map->animations.size(), 1u);
    EXPECT_EQ(t.Live().Name, "loop");     // the one behind it still stepped
    EXPECT_EQ(t.Live().CurrentFrame, 0);  // 4 steps of a 2-frame loop
}

TEST(AdvanceAnimationsTest, ZeroFramesAndZeroRate) {
    AnimationGame t("empty,e.png,0,8,10,1\r\nstill,s.png,4,8,0,1\r\nback,b.png,4,8,-3,1\r\n");
    CreateAnimationInstance(t.game, "empty", 0, 0, 0);
    CreateAnimationInstance(t.game, "still", 0, 0, 1);
    CreateAnimationInstance(t.game, "back", 0, 0, 1);
    CreateAnimationInstance(t.game, "empty", 0, 0, 1);
    AdvanceAnimations(t.game, 100000);
    // The play-once instance without frames goes at its first step; the
    // looping one returns to frame 0; rates of 0 or less never step.
    ASSERT_EQ(t.game.map->animations.size(), 3u);
    EXPECT_EQ(t.Live(0).CurrentFrame, 0);
    EXPECT_EQ(t.Live(0).LastFrameTime, 100000);
    EXPECT_EQ(t.Live(1).Name, "still");
    EXPECT_EQ(t.Live(1).LastFrameTime, 1000);
    EXPECT_EQ(t.Live(2).Name, "back");
    EXPECT_EQ(t.Live(2).CurrentFrame, 0);
}

TEST(AdvanceAnimationsTest, ClockFarFromTheInstanceTimeDoesNotOverflow) {
    AnimationGame t("a,a.png,3,8,10,1\r\n");
    t.media.SetTimeMs(INT32_MAX - 5);
    CreateAnimationInstance(t.game, "a", 0, 0, 0);
    AdvanceAnimations(t.game, INT32_MIN + 5);  // a clock that went backwards far
    EXPECT_EQ(t.Live().CurrentFrame, 0);
}

}  // namespace
}  // namespace vorn
