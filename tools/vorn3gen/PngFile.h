// PNG encoding of a Canvas and the output folder the generator writes into.
#pragma once

#include <string>

#include "tools/vorn3gen/Canvas.h"

namespace vorn3gen {

// The picture as PNG bytes (8-bit RGB, fixed compression, no time stamp, so
// the same picture always gives the same bytes). Empty on failure.
// `transparentAsAlpha`: 8-bit RGBA instead, kTransparent pixels fully
// transparent, for programs that know no colour key.
std::string EncodePng(const Canvas& canvas, bool transparentAsAlpha = false);

// Writes generated files below one mod folder, creating sub-folders.
class Output {
public:
    explicit Output(std::string root) : root_(std::move(root)) {}
    // False (and a message on stderr) when the file cannot be written.
    bool Write(const std::string& relativePath, const std::string& bytes);
    bool WritePng(const std::string& relativePath, const Canvas& canvas) {
        return Write(relativePath, EncodePng(canvas));
    }
    int Failures() const { return failures_; }
    int Written() const { return written_; }

private:
    std::string root_;
    int failures_ = 0;
    int written_ = 0;
};

}  // namespace vorn3gen
