// LFontRenderer: bitmap fonts from ".fnt" files drawn as textured quads; a failed call changes nothing.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/font_file.h"

namespace tessaran {

// Every failure of the renderer; what() is the message the player or maintainer sees.
class FontError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct FontEntry {
    std::string name;
    uint32_t texture = 0;        // GL texture name of the glyph sheet; 0 = none
    uint32_t defaultHeight = 0;  // pixels, from the file
    uint32_t currentHeight = 0;  // pixels
    float widthScale = 1.0f;
    float rotation = 0.0f;       // degrees about the string's start point
    float r = 1.0f, g = 1.0f, b = 1.0f;
    std::array<GlyphInfo, kFontGlyphCount> glyphs{};
};

struct QueuedString {
    std::string text;
    uint32_t fontIndex = 0;
    uint32_t height = 0;
    float r = 1.0f, g = 1.0f, b = 1.0f;
    float rotation = 0.0f;
    float x = 0.0f, y = 0.0f;  // top-left corner in text space (viewport pixels, y down)
    float widthScale = 1.0f;
};

class LFontRenderer {
public:
    static constexpr uint32_t kDefaultHeight = 99999;  // SetHeight value meaning "the file's height"
    static constexpr std::size_t kQueueGrowth = 20;

    LFontRenderer() = default;
    virtual ~LFontRenderer();
    LFontRenderer(const LFontRenderer&) = delete;
    LFontRenderer& operator=(const LFontRenderer&) = delete;

    // Loads a font file, uploads its sheet as a texture and appends it; the active font is kept.
    // A missing file, or one that ends inside its glyph table, ends the program (FatalMissingFile).
    int LoadFont(const std::string& fontName, const std::string& fileName);
    // Appends an already decoded font with the given texture (0: none, nothing is drawn). The
    // GL-free half of LoadFont, for tools and tests that have no GL context.
    int AddFont(const std::string& fontName, const FontFileData& data, uint32_t texture);

    void SetActiveFont(std::string_view fontName);
    void SetHeight(uint32_t pixels);
    void SetColor(float r, float g, float b);
    void GetColor(float& r, float& g, float& b) const;
    void SetWidthScale(float scale);
    void SetRotation(float degrees);
    uint32_t GetStringWidth(std::string_view text) const;
    void StringOut(float x, float y, std::string_view text);
    void Draw();
    void Clear();

    // Read-only views for tests and diagnostics.
    const FontEntry& Font(std::size_t index) const { return fonts_.at(index); }
    std::size_t QueueLength() const { return queue_.size(); }

private:
    FontEntry& Active(const char* operation);
    const FontEntry& Active(const char* operation) const;

    uint32_t queuedCount_ = 0;
    uint32_t activeFont_ = 0;
    std::vector<FontEntry> fonts_;
    std::vector<QueuedString> queue_;  // grows by kQueueGrowth; entries past queuedCount_ are stale
    int32_t viewport_[4] = {0, 0, 0, 0};  // x, y, width, height of the text space; 0 size = not read yet
};

}  // namespace tessaran
