// Recording and replaying sessions: a session played on the headless layer
// and recorded replays to the same end and the same saved game; a replay
// that leaves the recording says where; recordings of another engine or of
// changed mod files are refused; and the command line that asks for them.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "game/shell/CommandLine.h"
#include "game/shell/ModFiles.h"
#include "game/shell/Session.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::ShellGame;

// Presses keys frame by frame as a player would: `keys(frame)` names the
// keys of the frame of play `frame` (0 is the first).
class KeyPlayer : public FrameWatcher {
public:
    KeyPlayer(HeadlessMedia& media, std::function<std::vector<int>(int)> keys)
        : media_(media), keys_(std::move(keys)) {}
    void FrameStarting(Game&, FrameKind kind) override {
        media_.ReleaseAllKeys();
        if (kind == FrameKind::Title) {
            media_.SetKeyDown(keys::Space, true);
            return;
        }
        media_.AdvanceTimeMs(9);
        for (int key : keys_(frame_++))
            media_.SetKeyDown(key, true);
    }
    void FrameDrawn(Game&, FrameKind) override {}

private:
    HeadlessMedia& media_;
    std::function<std::vector<int>(int)> keys_;
    int frame_ = 0;
};

// A minimal mod whose tick script draws random numbers and whose player
// walks right, saves with S and closes the window with Yes.
class RecordReplayTest : public ::testing::Test {
protected:
    RecordReplayTest() : shell({"TickMs=50"}) {
        shell.Write("global_tick.ds", "R = Random(1000)\nSUM = SUM + R\n");
        folderArgument = test::ModArgument(shell.folder.Path());
        recordingPath = recordings.PathOf("session.rec");
    }

    SessionResult Record() {
        RecordingHeader header{EngineVersion(), folderArgument,
                               HashModFolder("./" + folderArgument)};
        SessionRecorder recorder;
        EXPECT_TRUE(recorder.Open(recordingPath, header));
        KeyPlayer player(shell.media, [this](int frame) -> std::vector<int> {
            if (frame == 40)
                shell.media.QueueWindowEvent(WindowEvent::CloseRequested);
            if (frame == 30)
                return {keys::S};
            return frame < 25 ? std::vector<int>{keys::Right} : std::vector<int>{};
        });
        shell.media.QueueMessageAnswer(MessageResult::Yes);
        const SessionResult result = RunSession(shell.media, SetupWith(&recorder, &player));
        recorder.Finish(result.summary);
        return result;
    }

    // The replay on a fresh layer, whose own keys, clock and seed differ.
    SessionResult Replay(SessionReplayer& replayer) {
        HeadlessMedia media;
        media.SeedRandom(99);
        media.AdvanceTimeMs(5000);
        replayer.SetPaced(false);
        SessionSetup setup = SetupWith(&replayer, nullptr);
        setup.replayer = &replayer;
        return RunSession(media, setup);
    }

    Recording ReadBack() {
        Recording recording;
        std::string error;
        EXPECT_TRUE(ReadRecording(recordingPath, recording, error)) << error;
        return recording;
    }

    SessionSetup SetupWith(InputTape* tape, FrameWatcher* player) {
        SessionSetup setup;
        setup.modFolder = folderArgument;
        setup.tape = tape;
        setup.player = player;
        return setup;
    }

    ShellGame shell;
    test::TempFolder recordings;
    std::string folderArgument;
    std::string recordingPath;
};

TEST_F(RecordReplayTest, ARecordedSessionReplaysToTheSameEndAndTheSameSave) {
    const SessionResult recorded = Record();
    EXPECT_EQ(recorded.framesPlayed, 41u);
    EXPECT_NE(recorded.summary.find(" map=start x="), std::string::npos) << recorded.summary;
    const std::string save = shell.folder.Read("saves/save0.ini");
    ASSERT_NE(save, "");
    std::remove(shell.folder.PathOf("saves/save0.ini").c_str());

    Recording recording = ReadBack();
    EXPECT_EQ(recording.header.engine, EngineVersion());
    EXPECT_EQ(recording.summary, recorded.summary);
    SessionReplayer replayer(std::move(recording), recordingPath);
    EXPECT_EQ(Replay(replayer).summary, recorded.summary);
    EXPECT_TRUE(replayer.CheckAllUsed()) << replayer.Problem();
    EXPECT_EQ(shell.folder.Read("saves/save0.ini"), save);
}

TEST_F(RecordReplayTest, AReplayThatLeavesTheRecordingSaysWhereAndStops) {
    Record();
    Recording recording = ReadBack();
    // The tenth frame of play loses its clock reading.
    const size_t frame = recording.frames.size() - 32;
    auto& reads = recording.frames[frame];
    ASSERT_EQ(reads.front().kind, TapeRead::Kind::Clock);
    reads.erase(reads.begin());
    SessionReplayer replayer(std::move(recording), "session.rec");
    const SessionResult replayed = Replay(replayer);
    EXPECT_LT(replayed.framesPlayed, 41u);
    EXPECT_FALSE(replayer.CheckAllUsed());
    const std::string where =
        "session.rec:" + std::to_string(replayer.GetRecording().firstFrameLine + frame) +
        ": error: the game reads the clock where ";
    EXPECT_EQ(replayer.Problem().rfind(where, 0), 0u) << replayer.Problem();
}

TEST_F(RecordReplayTest, RecordingsOfAnotherEngineOrOtherModFilesAreRefused) {
    Record();
    std::string text = recordings.Read("session.rec");
    CommandLine line;
    line.replayFile = recordingPath;
    Recording recording;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(PrepareReplay(line, recording));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    // A recording kept in the mod folder is not one of the mod's files.
    const std::string hash = HashModFolder("./" + folderArgument);
    EXPECT_EQ(HashModFolder("./" + folderArgument, shell.folder.Write("bug.rec", text)), hash);
    EXPECT_NE(HashModFolder("./" + folderArgument), hash);

    shell.Write("maps/start.gtl", "changed");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(PrepareReplay(line, recording));
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  ":4: error: the files of ./" + folderArgument + " are not the ones recorded"),
              std::string::npos);

    text.replace(text.find("engine "), 12, "engine 0.0.0");
    std::ofstream(recordingPath, std::ios::binary) << text;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(PrepareReplay(line, recording));
    EXPECT_NE(testing::internal::GetCapturedStderr().find(":2: error: recorded by engine 0.0.0"),
              std::string::npos);

    std::ofstream(recordingPath, std::ios::binary) << "VornEngine recording 1\nengine x\nmod m\n"
                                                      "modhash 0\nframes\nt10 k- zz\n";
    std::string error;
    EXPECT_FALSE(ReadRecording(recordingPath, recording, error));
    EXPECT_EQ(error, recordingPath + ":6: error: unknown read \"zz\"");
}

TEST(CommandLineTest, TakesOneFolderAndTheOptionsOfItsTable) {
    const char* full[] = {"game", "--dev", "mymod", "--replay", "a.rec", "--headless"};
    const CommandLine line = ParseCommandLine(6, full);
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.modFolder, "mymod");
    EXPECT_TRUE(line.developerMode);
    EXPECT_EQ(line.replayFile, "a.rec");
    EXPECT_TRUE(line.headless);
    EXPECT_EQ(ParseCommandLine(1, full).modFolder, "");

    const auto errorOf = [](std::vector<const char*> arguments) {
        arguments.insert(arguments.begin(), "game");
        return ParseCommandLine(static_cast<int>(arguments.size()), arguments.data()).error;
    };
    EXPECT_EQ(errorOf({"--fast"}), "unknown option --fast");
    EXPECT_EQ(errorOf({"--record"}), "--record needs a FILE");
    EXPECT_EQ(errorOf({"one", "two"}), "two mod folders given: one and two");
    EXPECT_EQ(errorOf({"--record", "a", "--replay", "b"}),
              "--record and --replay cannot be used together");
    EXPECT_EQ(errorOf({"--headless"}), "--headless plays a recording: use it with --replay FILE");
}

}  // namespace
}  // namespace vorn
