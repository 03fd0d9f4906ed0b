// animationmaker [modfolder] [image]: asks for an animation's name, frame
// count, frame width, frame rate and draw stage and appends its definition
// to the mod folder's animations.ini. Missing parameters are asked for;
// cancelling either question ends the program without writing anything.
#include <string>
#include <vector>

#include "tools/animationmaker/AnimationMaker.h"
#include "tools/animationmaker/FltkQuestions.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    vorn::animationmaker::FltkQuestions questions;
    vorn::animationmaker::RunAnimationMaker(arguments, questions);
    return 0;
}
