// Font loading, text measuring and the cache of rendered texts.
#include "game/media/TextRenderer.h"

#include <algorithm>
#include <cmath>

#include "common/CodePage1252.h"

namespace vorn {

namespace {

// The default font, from the fonts-dejavu-core package; fontconfig is asked
// only when it is missing, and it is also the last resort for named faces.
constexpr const char* kFallbackFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Cache entries beyond this are dropped at the end of a frame when unused.
constexpr size_t kCacheSoftLimit = 256;
// A frame that measures or draws more distinct texts than this starts afresh.
constexpr size_t kCacheHardLimit = 4096;

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    // SDL_ttf stops at a NUL; dropping it keeps the rest visible.
    std::string withoutNul(text);
    withoutNul.erase(std::remove(withoutNul.begin(), withoutNul.end(), '\0'), withoutNul.end());
    return Cp1252TextToUtf8(withoutNul);
}

TextRenderer::TextRenderer() : slots_(kFontSlotCount) {
    // TTF_Init counts its callers, so every renderer pairs it with TTF_Quit.
    ttfReady_ = TTF_Init() == 0;
}

TextRenderer::~TextRenderer() {
    for (Font& font : slots_) {
        if (font.font != nullptr) {
            TTF_CloseFont(font.font);
        }
    }
    if (defaultFont_.font != nullptr) {
        TTF_CloseFont(defaultFont_.font);
    }
    if (ttfReady_) {
        TTF_Quit();
    }
}

TTF_Font* TextRenderer::OpenSized(const std::string& file, int size, bool embolden) {
    if (size == 0) {
        size = kDefaultFontSize;
    }
    const bool lineHeight = size > 0;
    const int pixels = std::clamp(size, -kMaxFontSize, kMaxFontSize) * (lineHeight ? 1 : -1);
    TTF_Font* font = TTF_OpenFont(file.c_str(), pixels);
    if (font == nullptr) {
        return nullptr;
    }
    if (lineHeight) {
        // SDL_ttf sizes are em sizes; scale so that a whole line (ascent plus
        // descent) is `pixels` high, checking once more after rounding.
        int pointSize = pixels;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const int height = TTF_FontHeight(font);
            if (height <= 0 || height == pixels) {
                break;
            }
            const int next = std::max(
                1, static_cast<int>(std::lround(static_cast<double>(pointSize) * pixels / height)));
            if (next == pointSize || TTF_SetFontSize(font, next) != 0) {
                break;
            }
            pointSize = next;
        }
    }
    if (embolden) {
        TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    }
    return font;
}

bool TextRenderer::LoadSlot(int slot, const std::string& faceName, int size, bool bold) {
    if (slot < 0 || slot >= kFontSlotCount || !ttfReady_) {
        return false;
    }
    Font& target = slots_[slot];
    if (target.font != nullptr) {
        TTF_CloseFont(target.font);
        target.font = nullptr;
    }
    bool fileIsBold = false;
    std::string file = finder_.Find(faceName, bold, fileIsBold);
    TTF_Font* font = file.empty() ? nullptr : OpenSized(file, size, bold && !fileIsBold);
    if (font == nullptr) {
        font = OpenSized(kFallbackFontFile, size, false);
    }
    if (font == nullptr) {
        return false;
    }
    target.font = font;
    target.id = nextFontId_++;
    return true;
}

bool TextRenderer::SlotLoaded(int slot) const {
    return slot >= 0 && slot < kFontSlotCount && slots_[slot].font != nullptr;
}

const TextRenderer::Font* TextRenderer::FontFor(int slot) {
    if (SlotLoaded(slot)) {
        return &slots_[slot];
    }
    if (!defaultTried_ && ttfReady_) {
        defaultTried_ = true;
        TTF_Font* font = OpenSized(kFallbackFontFile, kDefaultFontSize, false);
        if (font == nullptr) {
            bool fileIsBold = false;
            const std::string file = finder_.Find("DejaVu Sans", true, fileIsBold);
            font = file.empty() ? nullptr : OpenSized(file, kDefaultFontSize, !fileIsBold);
        }
        defaultFont_.font = font;
        defaultFont_.id = nextFontId_++;
    }
    return defaultFont_.font != nullptr ? &defaultFont_ : nullptr;
}

TextRenderer::CacheEntry& TextRenderer::Entry(const Font& font, std::string_view piece) {
    if (cache_.size() >= kCacheHardLimit) {
        cache_.clear();
    }
    std::string key = std::to_string(font.id);
    key += '\n';
    key.append(piece);
    auto [it, inserted] = cache_.try_emplace(std::move(key));
    CacheEntry& entry = it->second;
    if (inserted) {
        const std::string utf8 = Cp1252ToUtf8(piece);
        int width = 0;
        int height = 0;
        if (!utf8.empty() && TTF_SizeUTF8(font.font, utf8.c_str(), &width, &height) == 0) {
            entry.advance = width;
        }
    }
    entry.lastUsedFrame = frame_;
    return entry;
}

int TextRenderer::Measure(int slot, std::string_view text) {
    return Render(slot, text, 0, 0, 0, nullptr);
}

int TextRenderer::LineHeight(int slot) {
    const Font* font = FontFor(slot);
    return font != nullptr ? TTF_FontHeight(font->font) : 0;
}

int TextRenderer::Render(int slot, std::string_view text, int x, int left, int right,
                         const std::function<void(int, const TextMask&)>& draw) {
    const Font* font = FontFor(slot);
    if (font == nullptr) {
        return 0;
    }
    text = text.substr(0, std::min(text.size(), kMaxTextChars));
    int64_t offset = 0;
    for (size_t start = 0; start < text.size(); start += kTextPieceChars) {
        const std::string_view piece = text.substr(start, kTextPieceChars);
        CacheEntry& entry = Entry(*font, piece);
        const int64_t pieceLeft = x + offset;
        if (draw && entry.advance > 0 && pieceLeft < right && pieceLeft + entry.advance > left) {
            if (!entry.rendered) {
                entry.rendered = true;
                const std::string utf8 = Cp1252ToUtf8(piece);
                SDL_Surface* surface =
                    TTF_RenderUTF8_Blended(font->font, utf8.c_str(), SDL_Color{255, 255, 255, 255});
                SDL_Surface* argb =
                    surface ? SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0)
                            : nullptr;
                if (argb != nullptr && SDL_LockSurface(argb) == 0) {
                    entry.mask.width = argb->w;
                    entry.mask.height = argb->h;
                    entry.mask.coverage.resize(static_cast<size_t>(argb->w) * argb->h);
                    for (int row = 0; row < argb->h; ++row) {
                        const auto* pixels = reinterpret_cast<const uint32_t*>(
                            static_cast<const unsigned char*>(argb->pixels) +
                            static_cast<size_t>(row) * argb->pitch);
                        for (int column = 0; column < argb->w; ++column) {
                            entry.mask.coverage[static_cast<size_t>(row) * argb->w + column] =
                                static_cast<uint8_t>(pixels[column] >> 24);
                        }
                    }
                    SDL_UnlockSurface(argb);
                }
                SDL_FreeSurface(argb);
                SDL_FreeSurface(surface);
            }
            draw(static_cast<int>(offset), entry.mask);
        }
        offset += entry.advance;
    }
    return static_cast<int>(std::min<int64_t>(offset, INT32_MAX));
}

void TextRenderer::EndFrame() {
    ++frame_;
    if (cache_.size() <= kCacheSoftLimit) {
        return;
    }
    std::erase_if(cache_,
                  [this](const auto& item) { return item.second.lastUsedFrame + 1 < frame_; });
}

}  // namespace vorn
