// The animation creator's record on untrusted answers: the input is cut into
// the name, the image path, the three numbers, the stage position and the
// existing animations.ini. The record is appended, and the file must then be
// the old bytes, CR LF and the formatted record, nothing lost or changed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/FileIO.h"
#include "common/TextPrimitives.h"
#include "fuzz/mod/FuzzSupport.h"
#include "tools/animationmaker/AnimationRecord.h"

namespace {

void Check(bool condition) {
    if (!condition)
        abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorn::animationmaker;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto pieces = vorn::fuzz::SplitInput(input, 7);

    AnimationRecord record;
    record.name = std::string(pieces[0]);
    record.imageFile = ImageFileName(pieces[1]);
    Check(record.imageFile.find('/') == std::string::npos);
    record.frameCount = vorn::TextToInt(pieces[2]);
    record.frameWidth = vorn::TextToInt(pieces[3]);
    record.framesPerSecond = vorn::TextToInt(pieces[4]);
    record.drawStage = DrawStageFromPosition(vorn::TextToInt(pieces[5]));

    const std::string path = vorn::fuzz::ScratchFolder("animationmaker") + "/animations.ini";
    vorn::fuzz::WriteBytes(path, pieces[6]);
    Check(AppendAnimationRecord(path, record).status == AppendStatus::kAppended);
    std::string after;
    Check(vorn::ReadWholeFile(path, after));
    Check(after == std::string(pieces[6]) + "\r\n" + FormatAnimationRecord(record));
    return 0;
}
