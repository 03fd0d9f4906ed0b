# Fails when a source file of a game floor includes a header of a floor above
# its own. Floors, bottom up: media and script (which include no other game
# floor), world, play, bindings, shell. Run as
#   cmake -DGAME_DIR=<game folder> -DSTAMP=<file to touch> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.20)

set(allowed_media "media")
set(allowed_script "script")
set(allowed_world "media;script;world")
set(allowed_play "media;script;world;play")
set(allowed_bindings "media;script;world;play;bindings")
set(allowed_shell "media;script;world;play;bindings;shell")

set(problems "")
foreach(floor media script world play bindings shell)
    file(GLOB_RECURSE files ${GAME_DIR}/${floor}/*.h ${GAME_DIR}/${floor}/*.cpp)
    foreach(file ${files})
        file(STRINGS ${file} includes REGEX "^#include \"game/")
        foreach(line ${includes})
            string(REGEX REPLACE "^#include \"game/([a-z]+)/.*" "\\1" included "${line}")
            if(NOT included IN_LIST allowed_${floor})
                file(RELATIVE_PATH shown ${GAME_DIR}/.. ${file})
                string(APPEND problems
                    "${shown}: error: the ${floor} floor includes game/${included}/, a floor above it\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(problems)
    message(FATAL_ERROR "${problems}")
endif()
file(TOUCH ${STAMP})
