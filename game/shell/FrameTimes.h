// The frame times of the last second, for the developer overlay: how long
// each frame's work took (without the loop's pacing sleep) and how much of
// it the scripts took. Measured on the program's own clock, never the
// game's: the overlay must not read what a recording records.
#pragma once

#include <chrono>
#include <deque>

namespace vorn {

struct FrameTimeStats {
    int framesPerSecond = 0;
    double frameAverageMs = 0;
    double frameWorstMs = 0;
    double scriptAverageMs = 0;
    double scriptWorstMs = 0;
};

class FrameTimes {
public:
    using Clock = std::chrono::steady_clock;

    void FrameStarted(Clock::time_point now) {
        frameStart_ = now;
        scriptMs_ = 0;
    }
    // Time spent in scripts during the frame being measured.
    void AddScriptTime(double ms) { scriptMs_ += ms; }
    // The frame's work is done: it joins the last second's samples.
    void FrameDone(Clock::time_point now) {
        samples_.push_back({now, Milliseconds(now - frameStart_), scriptMs_});
        while (!samples_.empty() && now - samples_.front().end > std::chrono::seconds(1))
            samples_.pop_front();
    }

    FrameTimeStats Stats() const {
        FrameTimeStats stats;
        stats.framesPerSecond = static_cast<int>(samples_.size());
        for (const Sample& sample : samples_) {
            stats.frameAverageMs += sample.frameMs;
            stats.scriptAverageMs += sample.scriptMs;
            stats.frameWorstMs = std::max(stats.frameWorstMs, sample.frameMs);
            stats.scriptWorstMs = std::max(stats.scriptWorstMs, sample.scriptMs);
        }
        if (!samples_.empty()) {
            stats.frameAverageMs /= static_cast<double>(samples_.size());
            stats.scriptAverageMs /= static_cast<double>(samples_.size());
        }
        return stats;
    }

    static double Milliseconds(Clock::duration duration) {
        return std::chrono::duration<double, std::milli>(duration).count();
    }

private:
    struct Sample {
        Clock::time_point end;
        double frameMs;
        double scriptMs;
    };
    std::deque<Sample> samples_;
    Clock::time_point frameStart_{};
    double scriptMs_ = 0;
};

}  // namespace vorn
