// Writing and reading recordings, and the two tapes that use them.
#include "game/shell/Recording.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "common/FileIO.h"
#include "common/TextPrimitives.h"

namespace vorn {

namespace {

// The game's keys by the names a recording writes them with; any other
// scan code is written as "#" and two hexadecimal digits.
struct KeyName {
    int key;
    const char* name;
};
constexpr KeyName kKeyNames[] = {
    {keys::Up, "Up"},          {keys::Down, "Down"},
    {keys::Left, "Left"},      {keys::Right, "Right"},
    {keys::LeftCtrl, "LCtrl"}, {keys::RightCtrl, "RCtrl"},
    {keys::Return, "Return"},  {keys::S, "S"},
    {keys::Tab, "Tab"},        {keys::L, "L"},
    {keys::Space, "Space"},
};

std::string KeyText(uint8_t key) {
    for (const KeyName& known : kKeyNames) {
        if (known.key == key) {
            return known.name;
        }
    }
    char hex[4];
    std::snprintf(hex, sizeof hex, "#%02x", key);
    return hex;
}

bool ParseKey(std::string_view text, uint8_t& key) {
    for (const KeyName& known : kKeyNames) {
        if (text == known.name) {
            key = static_cast<uint8_t>(known.key);
            return true;
        }
    }
    if (text.size() == 3 && text[0] == '#') {
        unsigned value = 0;
        if (std::sscanf(std::string(text.substr(1)).c_str(), "%2x", &value) == 1) {
            key = static_cast<uint8_t>(value);
            return true;
        }
    }
    return false;
}

std::vector<uint8_t> DownKeys(const KeyboardState::Keys& keys) {
    std::vector<uint8_t> down;
    for (size_t key = 0; key < keys.size(); ++key) {
        if (keys[key]) {
            down.push_back(static_cast<uint8_t>(key));
        }
    }
    return down;
}

char AnswerLetter(MessageResult answer) {
    switch (answer) {
        case MessageResult::Yes:
            return 'Y';
        case MessageResult::No:
            return 'N';
        case MessageResult::Ok:
            break;
    }
    return 'O';
}

bool ParseInt(std::string_view text, int32_t& value) {
    if (text.empty() || (text[0] != '-' && (text[0] < '0' || text[0] > '9'))) {
        return false;
    }
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    value = TextToInt(text);
    return true;
}

// One token of a frame line; `previousKeys` is what "k" alone repeats.
bool ParseRead(std::string_view token, const std::vector<uint8_t>& previousKeys, TapeRead& read) {
    if (token.empty()) {
        return false;
    }
    const std::string_view rest = token.substr(1);
    switch (token[0]) {
        case 't':
            read.kind = TapeRead::Kind::Clock;
            return ParseInt(rest, read.value);
        case 'q':
            read.kind = TapeRead::Kind::Close;
            return rest.empty();
        case 'b':
            read.kind = TapeRead::Kind::Answer;
            if (rest == "Y" || rest == "N" || rest == "O") {
                read.value = rest[0] == 'Y'   ? static_cast<int32_t>(MessageResult::Yes)
                             : rest[0] == 'N' ? static_cast<int32_t>(MessageResult::No)
                                              : static_cast<int32_t>(MessageResult::Ok);
                return true;
            }
            return false;
        case 'r': {
            read.kind = TapeRead::Kind::Random;
            const size_t slash = rest.find('/');
            return slash != std::string_view::npos && ParseInt(rest.substr(0, slash), read.value) &&
                   ParseInt(rest.substr(slash + 1), read.maximum);
        }
        case 'k':
            read.kind = TapeRead::Kind::Keys;
            if (rest.empty()) {
                read.keys = previousKeys;
                return true;
            }
            if (rest == "-") {
                return true;
            }
            for (size_t start = 0; start <= rest.size();) {
                size_t end = rest.find('+', start);
                if (end == std::string_view::npos) {
                    end = rest.size();
                }
                uint8_t key = 0;
                if (!ParseKey(rest.substr(start, end - start), key)) {
                    return false;
                }
                read.keys.push_back(key);
                start = end + 1;
            }
            return true;
        default:
            return false;
    }
}

bool NextLine(TextReader& reader, int& lineNumber, std::string& line) {
    if (!reader.ReadTextLine(line)) {
        return false;
    }
    ++lineNumber;
    return true;
}

// A header line "KEYWORD VALUE".
bool ReadHeaderLine(TextReader& reader, int& lineNumber, const char* keyword, std::string& value) {
    std::string line;
    const std::string prefix = std::string(keyword) + " ";
    if (!NextLine(reader, lineNumber, line) || line.rfind(prefix, 0) != 0) {
        return false;
    }
    value = line.substr(prefix.size());
    return true;
}

// The blank-separated words of a line, in one pass.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t start = 0;
    while (start < line.size()) {
        const size_t end = std::min(line.find(' ', start), line.size());
        if (end > start) {
            words.push_back(line.substr(start, end - start));
        }
        start = end + 1;
    }
    return words;
}

std::string Located(const std::string& path, int line, const std::string& text) {
    return path + ":" + std::to_string(line) + ": error: " + text;
}

}  // namespace

bool ReadRecording(const std::string& path, Recording& recording, std::string& error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        error = path + ": error: the recording cannot be read";
        return false;
    }
    TextReader reader(std::move(bytes));
    int lineNumber = 0;
    std::string line;
    const std::string magic = "VornEngine recording " + std::to_string(kRecordingFormat);
    if (!NextLine(reader, lineNumber, line) || line != magic) {
        error = Located(
            path, 1, "not a recording of this engine (the first line must be \"" + magic + "\")");
        return false;
    }
    RecordingHeader& header = recording.header;
    if (!ReadHeaderLine(reader, lineNumber, "engine", header.engine) ||
        !ReadHeaderLine(reader, lineNumber, "mod", header.modFolder) ||
        !ReadHeaderLine(reader, lineNumber, "modhash", header.modHash) ||
        !NextLine(reader, lineNumber, line) || line != "frames") {
        error = Located(path, lineNumber,
                        "the header must be the lines engine, mod, modhash and frames");
        return false;
    }
    recording.firstFrameLine = lineNumber + 1;
    std::vector<uint8_t> keys;
    while (NextLine(reader, lineNumber, line)) {
        if (line.rfind("end", 0) == 0 && (line.size() == 3 || line[3] == ' ')) {
            recording.summary = std::string(TrimSpaces(std::string_view(line).substr(3)));
            return true;
        }
        std::vector<TapeRead> frame;
        for (const std::string_view word : Words(line)) {
            TapeRead read;
            if (!ParseRead(word, keys, read)) {
                error = Located(path, lineNumber, "unknown read \"" + std::string(word) + "\"");
                return false;
            }
            if (read.kind == TapeRead::Kind::Keys) {
                keys = read.keys;
            }
            frame.push_back(std::move(read));
        }
        recording.frames.push_back(std::move(frame));
    }
    return true;
}

// --- Recorder --------------------------------------------------------------

bool SessionRecorder::Open(const std::string& path, const RecordingHeader& header) {
    out_.open(path, std::ios::binary | std::ios::trunc);
    if (!out_) {
        return false;
    }
    out_ << "VornEngine recording " << kRecordingFormat << '\n'
         << "engine " << header.engine << '\n'
         << "mod " << header.modFolder << '\n'
         << "modhash " << header.modHash << '\n'
         << "frames\n";
    out_.flush();
    return static_cast<bool>(out_);
}

void SessionRecorder::Write(const std::string& token) {
    if (lineStarted_) {
        out_ << ' ';
    }
    out_ << token;
    lineStarted_ = true;
}

void SessionRecorder::Finish(const std::string& summary) {
    if (lineStarted_) {
        out_ << '\n';
        lineStarted_ = false;
    }
    out_ << "end " << summary << '\n';
    out_.flush();
}

void SessionRecorder::Keys(KeyboardState::Keys& keys) {
    std::vector<uint8_t> down = DownKeys(keys);
    if (keysWritten_ && down == lastKeys_) {
        Write("k");
        return;
    }
    std::string token = "k";
    for (size_t i = 0; i < down.size(); ++i) {
        token += (i == 0 ? "" : "+") + KeyText(down[i]);
    }
    Write(down.empty() ? "k-" : token);
    lastKeys_ = std::move(down);
    keysWritten_ = true;
}

int32_t SessionRecorder::Clock(int32_t now) {
    Write("t" + std::to_string(now));
    return now;
}

WindowEvent SessionRecorder::Window(WindowEvent event) {
    // The game acts only on a close request; other events read as none.
    if (event == WindowEvent::CloseRequested) {
        Write("q");
    }
    return event;
}

int SessionRecorder::Random(int maximum, int drawn) {
    Write("r" + std::to_string(drawn) + "/" + std::to_string(maximum));
    return drawn;
}

MessageResult SessionRecorder::Message(const std::string&, const std::string&, MessageButtons,
                                       const std::function<MessageResult()>& show) {
    const MessageResult answer = show();
    Write(std::string("b") + AnswerLetter(answer));
    return answer;
}

void SessionRecorder::FramePresented() {
    out_ << '\n';
    out_.flush();
    lineStarted_ = false;
}

// --- Replayer --------------------------------------------------------------

SessionReplayer::SessionReplayer(Recording recording, std::string path)
    : recording_(std::move(recording)), path_(std::move(path)) {}

int SessionReplayer::CurrentFileLine() const {
    return recording_.firstFrameLine + static_cast<int>(frame_);
}

void SessionReplayer::Drifted(const std::string& text) {
    if (problem_.empty()) {
        problem_ = Located(path_, CurrentFileLine(), text);
    }
}

const TapeRead* SessionReplayer::Take(TapeRead::Kind kind, const char* what) {
    if (Stopped()) {
        return nullptr;
    }
    if (frame_ >= recording_.frames.size()) {
        Drifted(recording_.summary.empty()
                    ? std::string("the recording ends here (the recorded game did not finish)")
                    : std::string("the game goes on after the recorded session ended"));
        return nullptr;
    }
    const std::vector<TapeRead>& reads = recording_.frames[frame_];
    if (read_ >= reads.size()) {
        Drifted(std::string("the game reads ") + what +
                " where the recording has no more reads in this frame");
        return nullptr;
    }
    const TapeRead& next = reads[read_];
    if (next.kind != kind) {
        Drifted(std::string("the game reads ") + what + " where the recording has read " +
                std::to_string(read_ + 1) + " of another kind ('" + static_cast<char>(next.kind) +
                "')");
        return nullptr;
    }
    ++read_;
    return &next;
}

void SessionReplayer::Keys(KeyboardState::Keys& keys) {
    const TapeRead* read = Take(TapeRead::Kind::Keys, "the keys");
    keys.fill(false);
    if (read != nullptr) {
        for (uint8_t key : read->keys) {
            keys[key] = true;
        }
    }
}

int32_t SessionReplayer::Clock(int32_t) {
    const TapeRead* read = Take(TapeRead::Kind::Clock, "the clock");
    // After a problem the clock moves on, so that nothing waits for it.
    lastClock_ = read != nullptr ? read->value : lastClock_ + 1;
    if (paced_ && read != nullptr) {
        const auto now = std::chrono::steady_clock::now();
        if (!firstClock_) {
            firstClock_ = lastClock_;
            realStart_ = now;
        }
        const auto due = realStart_ + std::chrono::milliseconds(int64_t{lastClock_} - *firstClock_);
        if (due > now)
            std::this_thread::sleep_until(due);
    }
    return lastClock_;
}

WindowEvent SessionReplayer::Window(WindowEvent event) {
    if (event == WindowEvent::CloseRequested && problem_.empty()) {
        viewerClosed_ = true;
    }
    if (Stopped()) {
        return WindowEvent::CloseRequested;
    }
    const bool closeRecorded = frame_ < recording_.frames.size() &&
                               read_ < recording_.frames[frame_].size() &&
                               recording_.frames[frame_][read_].kind == TapeRead::Kind::Close;
    if (closeRecorded) {
        ++read_;
        return WindowEvent::CloseRequested;
    }
    return WindowEvent::None;
}

int SessionReplayer::Random(int maximum, int) {
    const TapeRead* read = Take(TapeRead::Kind::Random, "a random number");
    if (read == nullptr) {
        return 0;
    }
    if (read->maximum != maximum) {
        Drifted("the game draws a number up to " + std::to_string(maximum) +
                " where the recording drew one up to " + std::to_string(read->maximum));
        return 0;
    }
    // A number the layer could not have drawn would reach the game unchecked.
    if (read->value < 0 || read->value > maximum) {
        Drifted("the recorded number " + std::to_string(read->value) + " is not from 0 to " +
                std::to_string(maximum));
        return 0;
    }
    return read->value;
}

MessageResult SessionReplayer::Message(const std::string& title, const std::string&,
                                       MessageButtons buttons,
                                       const std::function<MessageResult()>&) {
    const TapeRead* read =
        Take(TapeRead::Kind::Answer, ("the answer of the box \"" + title + "\"").c_str());
    const MessageResult fallback =
        buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Ok;
    if (read == nullptr) {
        return fallback;
    }
    const auto answer = static_cast<MessageResult>(read->value);
    if ((answer == MessageResult::Ok) != (buttons == MessageButtons::Ok)) {
        Drifted("the box \"" + title + "\" cannot be answered as recorded");
        return fallback;
    }
    return answer;
}

void SessionReplayer::FramePresented() {
    if (Stopped()) {
        return;
    }
    if (frame_ < recording_.frames.size() && read_ < recording_.frames[frame_].size()) {
        Drifted("the game shows its frame where the recording has more reads in it");
        return;
    }
    ++frame_;
    read_ = 0;
}

bool SessionReplayer::CheckAllUsed() {
    if (!problem_.empty()) {
        return false;
    }
    const bool lastFrameUsed =
        frame_ + 1 == recording_.frames.size() && read_ == recording_.frames[frame_].size();
    const bool allFramesUsed = frame_ == recording_.frames.size();
    if (!lastFrameUsed && !allFramesUsed) {
        Drifted("the game ended here, but the recording goes on");
        return false;
    }
    return true;
}

}  // namespace vorn
