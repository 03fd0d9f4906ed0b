// Key snapshots and release detection, shared by both media layers: each
// frame copies the live key states into a snapshot that all key tests of the
// frame read.
#pragma once

#include <array>

namespace vorn {

class KeyboardState {
public:
    // Game scan codes are below this.
    static constexpr int kKeyCount = 256;
    using Keys = std::array<bool, kKeyCount>;

    void TakeSnapshot(const Keys& live) { snapshot_ = live; }

    int Down(int key) const { return Valid(key) && snapshot_[key] ? 1 : 0; }

    // Non-zero once, at the first call after the key went up, for a key that
    // an earlier call for the same key saw down. Only these calls move the
    // key's mark, so a press that no call saw down is never reported.
    int Released(int key) {
        if (!Valid(key)) {
            return 0;
        }
        if (snapshot_[key]) {
            seenDown_[key] = true;
            return 0;
        }
        if (seenDown_[key]) {
            seenDown_[key] = false;
            return 1;
        }
        return 0;
    }

    static bool Valid(int key) { return key >= 0 && key < kKeyCount; }

private:
    Keys snapshot_{};
    Keys seenDown_{};
};

}  // namespace vorn
