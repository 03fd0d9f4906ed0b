// The overlay's lines, read from the game as it stands after the frame.
#include "game/shell/DeveloperOverlay.h"

#include <cmath>
#include <cstdio>

#include "game/play/ActorBoxes.h"
#include "game/play/Render.h"

namespace vorn {

namespace {

std::string Format(const char* format, auto... values) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

std::string LayerName(const std::string& name) {
    return name.empty() ? "-" : name;
}

// The cell under the centre of the player, where warps, script tiles and
// pick-up look.
std::vector<PanelLine> CellLines(const Game& game) {
    const Rect probe = CentreProbe(game);
    const int64_t centreX = probe.left + probe.width / 2;
    const int64_t centreY = probe.top + probe.height / 2;
    const GameSettings& s = game.settings;
    const auto column = static_cast<int32_t>(s.TileWidth > 0 ? centreX / s.TileWidth : 0);
    const auto row = static_cast<int32_t>(s.TileHeight > 0 ? centreY / s.TileHeight : 0);
    std::vector<PanelLine> lines;
    lines.push_back(
        {Format("player %.0f,%.0f px  tile %d,%d  health %d/%d", game.player.X, game.player.Y,
                column, row, game.player.Health, game.player.MaxHealth)});
    const MapCell* cell = game.map->grid.Cell(column, row);
    if (cell == nullptr) {
        lines.push_back({"cell: outside the map", panel_colours::kDim});
        return lines;
    }
    lines.push_back(
        {"ground " + LayerName(cell->Ground) + "  back " + LayerName(cell->Background)});
    lines.push_back({"fore " + LayerName(cell->Foreground) + "  top " + LayerName(cell->Top)});
    lines.push_back({"attribute " + LayerName(cell->Attribute.Text())});
    return lines;
}

}  // namespace

std::vector<PanelLine> OverlayLines(const Game& game, const FrameTimeStats& times,
                                    const std::string& lastScriptError,
                                    const std::vector<PanelLine>& notes) {
    std::vector<PanelLine> lines;
    lines.push_back({Format("%d fps  frame %.1f ms avg, %.1f worst", times.framesPerSecond,
                            times.frameAverageMs, times.frameWorstMs),
                     panel_colours::kHeading});
    lines.push_back({Format("  of it scripts %.1f ms avg, %.1f worst", times.scriptAverageMs,
                            times.scriptWorstMs),
                     panel_colours::kDim});
    const CurrentMap& map = *game.map;
    lines.push_back({"map " + (map.info.Name.empty() ? std::string("(none yet)") : map.info.Name),
                     panel_colours::kHeading});
    for (PanelLine& line : CellLines(game))
        lines.push_back(std::move(line));
    lines.push_back(
        {Format("monsters %zu  objects %zu  animations %zu  texts %zu", map.monsters.size(),
                map.objects.size(), map.animations.size(), game.screenTexts.size())});
    const int32_t lengthOfDay = game.settings.LengthOfDay;
    const char* phase = IsNight(game) ? "night" : "day";
    lines.push_back({lengthOfDay > 0 ? Format("time of day %d of %d s (%s)", game.clock.TimeOfDay,
                                              lengthOfDay, phase)
                                     : Format("no day clock (%s)", phase)});
    if (!lastScriptError.empty()) {
        lines.push_back({"last script error:", panel_colours::kError});
        lines.push_back({lastScriptError, panel_colours::kError, true});
    }
    for (const PanelLine& note : notes)
        lines.push_back(note);
    return lines;
}

}  // namespace vorn
