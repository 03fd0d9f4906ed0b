// Everything the game writes on the screen, in this order: the map's speech
// text typed out letter by letter, the screen texts scripts add for a while,
// the status bar with the status text and the health bar, and the stats
// screen while Tab is held.
#include "game/play/Texts.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/TextPrimitives.h"
#include "game/play/CellRange.h"
#include "game/play/Render.h"

namespace vorn {

namespace {

constexpr int kMainFont = 0;
constexpr int kStatusFont = 1;
constexpr Colour kShadow{0, 0, 0};
constexpr Colour kHealthBar{255, 0, 0};
constexpr int32_t kShadowOffset = 2;

// The number of letters typed so far: MapTextSpeed letters per second since
// the map was entered, at most the whole text, never fewer than none.
size_t TypedLetters(const Game& game, size_t length) {
    const double seconds = (int64_t{game.clock.FrameTime} - game.clock.MapEnterTime) / 1000.0;
    double letters = seconds * game.settings.MapTextSpeed;
    if (letters > static_cast<double>(length)) {
        letters = static_cast<double>(length);
    }
    const int32_t shown = RoundHalfEven(letters);
    return shown > 0 ? static_cast<size_t>(shown) : 0;
}

void DrawWithShadow(MediaLayer& media, const std::string& text, int32_t x, int32_t y,
                    Colour colour) {
    media.SetTextColour(kShadow);
    media.MoveTextCursor(ClampToInt32(int64_t{x} + kShadowOffset),
                         ClampToInt32(int64_t{y} + kShadowOffset));
    media.DrawTextAtCursor(text);
    media.SetTextColour(colour);
    media.MoveTextCursor(x, y);
    media.DrawTextAtCursor(text);
}

void DrawSpeechText(Game& game) {
    const MapInfo& map = game.map->info;
    if (map.SpeechText.empty()) {
        return;
    }
    const std::string shown = map.SpeechText.substr(0, TypedLetters(game, map.SpeechText.size()));
    if (shown.empty()) {
        return;
    }
    MediaLayer& media = game.media;
    media.SelectFont(kMainFont);
    const int32_t width = media.MeasureText(shown);
    DrawWithShadow(media, shown,
                   ClampToInt32(int64_t{game.settings.HalfScreenPixelWidth} - width / 2),
                   map.SpeechTextY, {map.TextRed, map.TextGreen, map.TextBlue});
}

// Texts wait for their StartTime, show until StartTime + Duration and are
// removed by the first pass after that.
void DrawScreenTexts(Game& game) {
    MediaLayer& media = game.media;
    const GameColors& colors = game.colors;
    const int32_t now = game.clock.FrameTime;
    media.SelectFont(kStatusFont);
    std::vector<ScreenText>& texts = game.screenTexts;
    // Expired texts are dropped in place; the others keep their order.
    size_t kept = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
        const ScreenText& text = texts[i];
        if (now >= text.StartTime && now > int64_t{text.StartTime} + text.Duration) {
            continue;
        }
        if (now >= text.StartTime) {
            int32_t x = text.X;
            int32_t y = text.Y;
            if (!text.ScreenFixed) {
                x = ScreenX(game, x);
                y = ScreenY(game, y);
            }
            DrawWithShadow(media, text.Text, x, y,
                           {colors.StatusTextRed, colors.StatusTextGreen, colors.StatusTextBlue});
        }
        if (kept != i) {
            texts[kept] = std::move(texts[i]);
        }
        ++kept;
    }
    texts.resize(kept);
}

// Health copies of StatusHealthChar, repeated as a unit. The bar is drawn
// flush right, so once the text is wider than the screen (with a unit to
// spare) more copies only push its start further off the left edge; they are
// left out, which keeps a huge Health from building a huge text. No health
// shows an empty bar.
std::string HealthBarText(Game& game) {
    const std::string& unit = game.settings.StatusHealthChar;
    const int32_t health = game.player.Health;
    if (health <= 0 || unit.empty()) {
        return {};
    }
    MediaLayer& media = game.media;
    const int64_t unitWidth = std::max(1, media.MeasureText(unit));
    const int64_t enough = int64_t{std::max(0, game.settings.ScreenPixelWidth)} + unitWidth;
    // A unit advancing at least a pixel covers the screen within this many.
    const int64_t limit = std::min<int64_t>(health, 2 * enough);
    int64_t copies = std::min<int64_t>(limit, enough / unitWidth + 1);
    std::string text;
    for (;;) {
        while (static_cast<int64_t>(text.size() / unit.size()) < copies) {
            text += unit;
        }
        // Glyphs may advance less than a unit measured alone.
        if (copies >= limit || media.MeasureText(text) >= enough) {
            return text;
        }
        copies = std::min<int64_t>(limit, copies * 2);
    }
}

void DrawStatusBar(Game& game) {
    MediaLayer& media = game.media;
    const GameSettings& s = game.settings;
    const GameColors& colors = game.colors;
    const Colour back{colors.StatusBackRed, colors.StatusBackGreen, colors.StatusBackBlue};
    media.FillBox(0, s.ScreenPixelHeight, s.ScreenPixelWidth, s.StatusBarHeight,
                  PackColour(back.r, back.g, back.b));
    media.SelectFont(kStatusFont);
    media.SetTextColour({colors.StatusTextRed, colors.StatusTextGreen, colors.StatusTextBlue});
    media.SetTextBackColour(back);
    const int32_t y = ClampToInt32(int64_t{s.ScreenHeight} * s.TileHeight + s.StatusTextOffset);
    media.MoveTextCursor(1, y);
    media.DrawTextAtCursor(game.StatusText);

    const std::string bar = HealthBarText(game);
    if (bar.empty()) {
        return;
    }
    media.SetTextColour(kHealthBar);
    media.MoveTextCursor(ClampToInt32(int64_t{s.ScreenPixelWidth} - media.MeasureText(bar)), y);
    media.DrawTextAtCursor(bar);
}

void DrawStatsScreen(Game& game) {
    MediaLayer& media = game.media;
    const GameSettings& s = game.settings;
    const GameColors& colors = game.colors;
    const Player& p = game.player;
    media.SetTextBackgroundMode(TextBackground::Opaque);
    media.SetTextBackColour({colors.StatsBackRed, colors.StatsBackGreen, colors.StatsBackBlue});
    media.SelectFont(kMainFont);
    media.SetTextColour({colors.StatsTextRed, colors.StatsTextGreen, colors.StatsTextBlue});
    const int64_t lineStep = int64_t{s.FontSize} + s.FontSize / 2;
    int64_t y = s.TileHeight;
    auto line = [&](const std::string& text) {
        media.MoveTextCursor(s.TileWidth, ClampToInt32(y));
        media.DrawTextAtCursor(text);
        y += lineStep;
    };
    line("Health: " + IntToText(p.Health));
    line("Strength: " + IntToText(p.Damage));
    line("Speed: " + IntToText(p.Speed));
    line("Monsters Killed: " + IntToText(p.KillCount));
    line("Objects Found:");
    if (game.inventory.empty()) {
        line("None");
    }
    for (const std::string& item : game.inventory) {
        line(item);
    }
}

}  // namespace

void AddScreenText(Game& game, const std::string& text, int32_t x, int32_t y, int32_t duration,
                   int32_t startTime, int32_t screenFixed) {
    // The flag is the number's low byte.
    game.screenTexts.push_back({text, x, y, duration, startTime, (screenFixed & 0xFF) != 0});
}

void DrawTexts(Game& game) {
    MediaLayer& media = game.media;
    media.BeginText();
    media.SetTextBackgroundMode(TextBackground::Transparent);
    DrawSpeechText(game);
    DrawScreenTexts(game);
    DrawStatusBar(game);
    if (game.statsScreenShown) {
        DrawStatsScreen(game);
    }
    media.EndText();
}

}  // namespace vorn
