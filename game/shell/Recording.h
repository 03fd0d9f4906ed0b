// Recordings of sessions: what the game read from outside the program
// (InputTape.h), one line per presented frame, under a header naming the
// engine and the mod. A small text file:
//
//   VornEngine recording 1
//   engine 0.1.0                      the engine that recorded it
//   mod vorn3                         the mod folder as the command line named it
//   modhash 3f9a0c2e5b7d1846          HashModFolder of that folder
//   frames
//   t1042 k-                          one line per frame, reads in their order:
//   t1051 kRight r2/4                   tMS the clock, k the keys (k alone: as
//   t1060 k q bN                        before, k- none), q a close request,
//   end frames=2 map=meadow ...         rV/MAX a random number, bY/bN/bO a
//                                       box's answer; then the summary
#pragma once

#include <chrono>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "game/media/InputTape.h"

namespace vorn {

// The version of this file format; a reader refuses others.
constexpr int kRecordingFormat = 1;

struct RecordingHeader {
    std::string engine;
    std::string modFolder;
    std::string modHash;
};

// One thing the game read.
struct TapeRead {
    enum class Kind : char { Clock = 't', Keys = 'k', Close = 'q', Random = 'r', Answer = 'b' };
    Kind kind = Kind::Clock;
    int32_t value = 0;          // the clock, the random number or the answer
    int32_t maximum = 0;        // of a random number
    std::vector<uint8_t> keys;  // the keys down, by scan code
};

struct Recording {
    RecordingHeader header;
    std::vector<std::vector<TapeRead>> frames;
    // The "end" line's summary; empty when the recorded game did not finish.
    std::string summary;
    // The file line of frames[0], for messages.
    int firstFrameLine = 0;
};

// Reads a recording; false with `error` ("PATH:LINE: error: TEXT") when the
// file cannot be read or is not one.
bool ReadRecording(const std::string& path, Recording& recording, std::string& error);

// Writes every read to a file as it happens (a frame's line is flushed when
// the frame is shown, so a crash keeps what led to it).
class SessionRecorder : public InputTape {
public:
    // False when the file cannot be created.
    bool Open(const std::string& path, const RecordingHeader& header);
    // Ends the last frame's line and writes the summary line.
    void Finish(const std::string& summary);

    void Keys(KeyboardState::Keys& keys) override;
    int32_t Clock(int32_t now) override;
    WindowEvent Window(WindowEvent event) override;
    int Random(int maximum, int drawn) override;
    MessageResult Message(const std::string& title, const std::string& text, MessageButtons buttons,
                          const std::function<MessageResult()>& show) override;
    void FramePresented() override;

private:
    void Write(const std::string& token);

    std::ofstream out_;
    bool lineStarted_ = false;
    std::vector<uint8_t> lastKeys_;
    bool keysWritten_ = false;
};

// Answers every read from a recording. When the game reads something the
// recording does not have at that point, the replay has drifted: the
// replayer notes where and from then on answers so that the game ends soon
// (no keys, a clock that moves on, a close request, No to every question).
class SessionReplayer : public InputTape {
public:
    SessionReplayer(Recording recording, std::string path);

    // Paced, a clock read waits until as much real time has passed since the
    // first one as recorded time did, so a replay in a window runs at the
    // speed it was played; unpaced it runs as fast as it can.
    void SetPaced(bool paced) { paced_ = paced; }

    // Whether the game should stop: the replay drifted, ran out of frames,
    // or the viewer closed the window.
    bool Stopped() const { return !problem_.empty() || viewerClosed_; }
    bool ViewerClosed() const { return viewerClosed_; }
    // "PATH:LINE: error: TEXT" once the replay went wrong; else empty.
    const std::string& Problem() const { return problem_; }
    // After the game ended: whether every recorded read was used (a game
    // that ended early drifted too; the problem is set then).
    bool CheckAllUsed();
    const Recording& GetRecording() const { return recording_; }

    void Keys(KeyboardState::Keys& keys) override;
    int32_t Clock(int32_t now) override;
    WindowEvent Window(WindowEvent event) override;
    int Random(int maximum, int drawn) override;
    MessageResult Message(const std::string& title, const std::string& text, MessageButtons buttons,
                          const std::function<MessageResult()>& show) override;
    void FramePresented() override;

private:
    // The next read, when it is of `kind`; null (and the problem noted)
    // when it is not.
    const TapeRead* Take(TapeRead::Kind kind, const char* what);
    void Drifted(const std::string& text);
    int CurrentFileLine() const;

    Recording recording_;
    std::string path_;
    size_t frame_ = 0;
    size_t read_ = 0;
    std::string problem_;
    bool viewerClosed_ = false;
    int32_t lastClock_ = 1000;
    bool paced_ = false;
    std::optional<int32_t> firstClock_;
    std::chrono::steady_clock::time_point realStart_{};
};

}  // namespace vorn
