// tessaran-fontgen: renders a TrueType face into the game's ".fnt" bitmap font and previews the result.
//
// Every glyph gets a cell as tall as the font's line (ascender to descender) and as wide as its
// advance, so the game can lay text out by cells alone: quads abut, the baseline lines up.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "ui/font_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using tessaran::FontFileData;
using tessaran::FontFileStatus;
using tessaran::GlyphInfo;

// ---- Building the font file -------------------------------------------------------------------

struct BuildOptions {
    std::string fontPath;
    std::string outPath;
    int em = 64;           // pixels per em the glyphs are rendered at
    int sheetWidth = 1024;
    int sheetHeight = 1024;
    int padding = 4;       // blank pixels around every cell, so linear filtering never picks up a neighbour
    double gamma = 1.0;    // > 1 thickens antialiased edges
    bool verbose = false;
};

struct PixelRect {
    uint32_t top = 0, left = 0, bottom = 0, right = 0;
};

struct Cell {
    int code = 0;
    FT_UInt index = 0;
    int width = 0;      // pixels; the glyph's advance, widened where its ink would not fit
    int originX = 0;    // pen position inside the cell
    PixelRect rect;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "tessaran-fontgen: %s\n", message.c_str());
    std::exit(1);
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutF32(std::vector<uint8_t>& out, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    PutU32(out, bits);
}

// Printable ASCII and the Latin-1 letters and signs: the 8-bit text the game draws.
std::vector<int> WantedCodes() {
    std::vector<int> codes;
    for (int c = 32; c <= 126; ++c) codes.push_back(c);
    for (int c = 160; c <= 255; ++c) codes.push_back(c);
    return codes;
}

double Pixels(FT_Pos v26_6) { return static_cast<double>(v26_6) / 64.0; }

void LoadOutline(FT_Face face, FT_UInt index) {
    // Unhinted: the shapes stay true at every size the sheet is later scaled to.
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
        Fail("cannot load glyph " + std::to_string(index));
    if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) Fail("the face has no outlines");
}

int Build(const BuildOptions& opt) {
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) Fail("cannot start FreeType");
    FT_Face face;
    if (FT_New_Face(library, opt.fontPath.c_str(), 0, &face) != 0) Fail("cannot open " + opt.fontPath);
    if (!FT_IS_SCALABLE(face)) Fail(opt.fontPath + " is not a scalable font");
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(opt.em)) != 0) Fail("cannot set the size");

    const double unitsToPx = static_cast<double>(opt.em) / face->units_per_EM;
    const FT_UInt spaceIndex = FT_Get_Char_Index(face, ' ');
    if (spaceIndex == 0) Fail("the face has no space");

    // Gather the glyphs and the ink extents over all of them. The line is exactly as tall as the
    // ink needs (accented capitals to the tail of a descender), not the face's own line metrics,
    // which leave room for more than the glyphs drawn here and would shrink the text in its box.
    std::vector<Cell> cells;
    double inkTop = 0.0;
    double inkBottom = 0.0;  // negative: below the baseline
    for (int code : WantedCodes()) {
        FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
        if (index == 0 && code == 0xA0) index = spaceIndex;  // no-break space looks like a space
        if (index == 0) {
            if (opt.verbose) std::printf("U+%04X absent\n", code);
            continue;
        }
        LoadOutline(face, index);
        const double advance = static_cast<double>(face->glyph->linearHoriAdvance) / 65536.0;
        FT_BBox box;
        FT_Outline_Get_CBox(&face->glyph->outline, &box);
        Cell cell;
        cell.code = code;
        cell.index = index;
        cell.width = static_cast<int>(std::lround(advance));
        if (face->glyph->outline.n_points > 0) {
            const double xMin = Pixels(box.xMin), xMax = Pixels(box.xMax);
            inkTop = std::max(inkTop, Pixels(box.yMax));
            inkBottom = std::min(inkBottom, Pixels(box.yMin));
            // Ink left of the pen or right of the advance would be cut off by the cell: widen
            // the cell instead, a pixel or two of extra spacing is the lesser harm.
            const int overLeft = std::max(0, static_cast<int>(std::ceil(-xMin)));
            const int overRight = std::max(0, static_cast<int>(std::ceil(xMax)) - cell.width);
            cell.originX = overLeft;
            cell.width += overLeft + overRight;
            if (opt.verbose && (overLeft > 0 || overRight > 0))
                std::printf("U+%04X widened by %d left, %d right\n", code, overLeft, overRight);
        }
        cells.push_back(cell);
    }

    const int ascent = static_cast<int>(std::ceil(inkTop));
    const int descent = static_cast<int>(std::ceil(-inkBottom));
    const int lineHeight = ascent + descent;
    if (opt.verbose)
        std::printf("ascender %.2f descender %.2f, ink %.2f..%.2f -> line %d px (baseline %d)\n",
                    face->ascender * unitsToPx, face->descender * unitsToPx, inkTop, inkBottom,
                    lineHeight, ascent);

    // Shelf packing in code order, padding on every side of every cell.
    int x = opt.padding, y = opt.padding;
    for (Cell& cell : cells) {
        if (x + cell.width + opt.padding > opt.sheetWidth) {
            x = opt.padding;
            y += lineHeight + opt.padding;
        }
        if (y + lineHeight + opt.padding > opt.sheetHeight)
            Fail("the glyphs do not fit on a " + std::to_string(opt.sheetWidth) + "x" +
                 std::to_string(opt.sheetHeight) + " sheet");
        cell.rect = {static_cast<uint32_t>(y), static_cast<uint32_t>(x),
                     static_cast<uint32_t>(y + lineHeight), static_cast<uint32_t>(x + cell.width)};
        x += cell.width + opt.padding;
    }
    const int usedHeight = y + lineHeight + opt.padding;

    // Render each glyph with its pen at (originX, baseline) of its cell.
    std::vector<uint8_t> sheet(static_cast<size_t>(opt.sheetWidth) * static_cast<size_t>(opt.sheetHeight), 0);
    uint8_t lut[256];
    for (int v = 0; v < 256; ++v)
        lut[v] = static_cast<uint8_t>(std::lround(255.0 * std::pow(v / 255.0, 1.0 / opt.gamma)));
    for (const Cell& cell : cells) {
        LoadOutline(face, cell.index);
        if (face->glyph->outline.n_points == 0) continue;
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) Fail("cannot render a glyph");
        const FT_Bitmap& bm = face->glyph->bitmap;
        const int penX = static_cast<int>(cell.rect.left) + cell.originX;
        const int baseY = static_cast<int>(cell.rect.top) + ascent;
        for (unsigned row = 0; row < bm.rows; ++row) {
            for (unsigned col = 0; col < bm.width; ++col) {
                const uint8_t v = bm.buffer[row * static_cast<unsigned>(bm.pitch) + col];
                if (v == 0) continue;
                const int sx = penX + face->glyph->bitmap_left + static_cast<int>(col);
                const int sy = baseY - face->glyph->bitmap_top + static_cast<int>(row);
                if (sx < static_cast<int>(cell.rect.left) || sx >= static_cast<int>(cell.rect.right) ||
                    sy < static_cast<int>(cell.rect.top) || sy >= static_cast<int>(cell.rect.bottom))
                    Fail("ink outside its cell at U+" + std::to_string(cell.code));
                sheet[static_cast<size_t>(sy) * static_cast<size_t>(opt.sheetWidth) + static_cast<size_t>(sx)] = lut[v];
            }
        }
    }

    // The file: header, 256 glyph records, sheet.
    std::vector<uint8_t> file;
    PutU32(file, tessaran::kFontMagic);
    PutU32(file, static_cast<uint32_t>(opt.sheetWidth));
    PutU32(file, static_cast<uint32_t>(opt.sheetHeight));
    PutU32(file, static_cast<uint32_t>(lineHeight));
    std::vector<const Cell*> byCode(256, nullptr);
    for (const Cell& cell : cells) byCode[static_cast<size_t>(cell.code)] = &cell;
    for (int code = 0; code < 256; ++code) {
        const Cell* cell = byCode[static_cast<size_t>(code)];
        if (cell == nullptr) {
            for (int i = 0; i < 6; ++i) PutU32(file, 0);
            continue;
        }
        PutU32(file, cell->rect.top);
        PutU32(file, cell->rect.left);
        PutU32(file, cell->rect.bottom);
        PutU32(file, cell->rect.right);
        PutU32(file, 1);
        PutF32(file, static_cast<float>(cell->width) / static_cast<float>(lineHeight));
    }
    file.insert(file.end(), sheet.begin(), sheet.end());

    std::ofstream out(opt.outPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!out) Fail("cannot write " + opt.outPath);
    std::printf("%s: %zu glyphs, sheet %dx%d (%d rows used), default height %d px, %zu bytes\n",
                opt.outPath.c_str(), cells.size(), opt.sheetWidth, opt.sheetHeight, usedHeight,
                lineHeight, file.size());
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return 0;
}

// ---- Previewing a font file -----------------------------------------------------------------

FontFileData ReadFont(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("cannot open " + path);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    FontFileData font;
    const FontFileStatus status = tessaran::DecodeFontFile(bytes, font);
    if (status == FontFileStatus::TruncatedGlyphTable) Fail(path + " ends inside its glyph table");
    if (status != FontFileStatus::Ok) Fail(path + ": " + tessaran::FontFileMessage(status));
    return font;
}

struct Rgb {
    float r, g, b;
};

struct Canvas {
    int width, height;
    std::vector<float> pixels;  // r, g, b in 0..1
    Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h) * 3, 0.0f) {}
    void Fill(int y0, int y1, Rgb c) {
        for (int y = std::max(0, y0); y < std::min(height, y1); ++y)
            for (int x = 0; x < width; ++x) {
                float* p = &pixels[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
                p[0] = c.r, p[1] = c.g, p[2] = c.b;
            }
    }
};

// Texture lookup as the game's GL_LINEAR filter with clamp-to-edge does it.
float SampleLinear(const FontFileData& font, float u, float v) {
    const float tx = u * static_cast<float>(font.sheetWidth) - 0.5f;
    const float ty = v * static_cast<float>(font.sheetHeight) - 0.5f;
    const int x0 = static_cast<int>(std::floor(tx)), y0 = static_cast<int>(std::floor(ty));
    const float fx = tx - static_cast<float>(x0), fy = ty - static_cast<float>(y0);
    auto texel = [&](int x, int y) {
        x = std::clamp(x, 0, static_cast<int>(font.sheetWidth) - 1);
        y = std::clamp(y, 0, static_cast<int>(font.sheetHeight) - 1);
        return font.sheet[static_cast<size_t>(y) * font.sheetWidth + static_cast<size_t>(x)] / 255.0f;
    };
    const float top = texel(x0, y0) * (1 - fx) + texel(x0 + 1, y0) * fx;
    const float bottom = texel(x0, y0 + 1) * (1 - fx) + texel(x0 + 1, y0 + 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

// Draws a string the way the game's renderer does: one quad per byte, height tall and
// height x advance ratio wide, modulated colour and alpha, source-alpha blending.
void DrawString(Canvas& canvas, const FontFileData& font, float x, float y, float height,
                const std::string& text, Rgb colour) {
    float pen = 0.0f;
    for (unsigned char c : text) {
        const GlyphInfo& g = font.glyphs[c].present ? font.glyphs[c] : font.glyphs[' '];
        const float w = height * g.advanceRatio;
        const float qx0 = x + pen, qx1 = x + pen + w, qy0 = y, qy1 = y + height;
        for (int py = static_cast<int>(std::ceil(qy0 - 0.5f)); static_cast<float>(py) + 0.5f < qy1; ++py) {
            if (py < 0 || py >= canvas.height) continue;
            for (int px = static_cast<int>(std::ceil(qx0 - 0.5f)); static_cast<float>(px) + 0.5f < qx1; ++px) {
                if (px < 0 || px >= canvas.width) continue;
                const float s = (static_cast<float>(px) + 0.5f - qx0) / w;
                const float t = (static_cast<float>(py) + 0.5f - qy0) / height;
                const float a = SampleLinear(font, g.left + s * (g.right - g.left), g.top + t * (g.bottom - g.top));
                float* p = &canvas.pixels[(static_cast<size_t>(py) * static_cast<size_t>(canvas.width) + static_cast<size_t>(px)) * 3];
                p[0] = colour.r * a * a + p[0] * (1 - a);
                p[1] = colour.g * a * a + p[1] * (1 - a);
                p[2] = colour.b * a * a + p[2] * (1 - a);
            }
        }
        pen += w;
    }
}

void WritePng(const Canvas& canvas, const std::string& path) {
    std::vector<uint8_t> rgb(canvas.pixels.size());
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<uint8_t>(std::lround(std::clamp(canvas.pixels[i], 0.0f, 1.0f) * 255.0f));
    if (stbi_write_png(path.c_str(), canvas.width, canvas.height, 3, rgb.data(), canvas.width * 3) == 0)
        Fail("cannot write " + path);
}

int Preview(const std::string& fntPath, const std::string& pngPath) {
    const FontFileData font = ReadFont(fntPath);
    struct Band {
        Rgb background, ink;
    };
    // The kinds of ground the game puts text on: dark panels, saturated buttons, a light dialog.
    const Band bands[] = {
        {{0.05f, 0.05f, 0.15f}, {1.0f, 1.0f, 1.0f}},
        {{0.15f, 0.35f, 0.75f}, {1.0f, 1.0f, 0.3f}},
        {{0.85f, 0.45f, 0.10f}, {1.0f, 1.0f, 1.0f}},
        {{0.90f, 0.90f, 0.85f}, {0.1f, 0.1f, 0.3f}},
    };
    const float sizes[] = {16, 20, 27, 32, 43, 65};
    const std::string lines[] = {
        "The quick brown fox jumps over the lazy dog. 0123456789",
        "New Puzzle  Score: 12,345  Time 4:07  (Evil #957)  Hints? [Yes/No]",
        "\xC0\xC9\xCE\xD5\xDC \xE0\xE9\xEE\xF5\xFC \xF1\xE7\xDF \xBF\xA1 \xA9\xB0 \xBD \xAB\xBB \xC6\xE6\xD8\xF8",
    };
    const std::string shortLine = "Puzzle Solved! 9:41 \xC9vil jig-fjord";
    // Sizes up to 32 px get two lines: they are the ones most text is drawn at.
    int bandHeight = 10;
    for (float s : sizes) bandHeight += static_cast<int>(s * 1.15f) * (s <= 32 ? 2 : 1);
    Canvas canvas(1200, bandHeight * static_cast<int>(std::size(bands)));
    int y = 0;
    for (const Band& band : bands) {
        canvas.Fill(y, y + bandHeight, band.background);
        float ty = static_cast<float>(y) + 5.0f;
        int line = 0;
        for (float s : sizes) {
            for (int r = 0; r < (s <= 32 ? 2 : 1); ++r) {
                DrawString(canvas, font, 8.0f, ty, s, s >= 43 ? shortLine : lines[line % 3], band.ink);
                ty += s * 1.15f;
                ++line;
            }
        }
        y += bandHeight;
    }
    WritePng(canvas, pngPath);
    std::printf("%s: %dx%d\n", pngPath.c_str(), canvas.width, canvas.height);
    return 0;
}

// The glyph sheet as a grey picture, for checking placement and padding by eye.
int Sheet(const std::string& fntPath, const std::string& pngPath) {
    const FontFileData font = ReadFont(fntPath);
    Canvas canvas(static_cast<int>(font.sheetWidth), static_cast<int>(font.sheetHeight));
    for (size_t i = 0; i < font.sheet.size(); ++i)
        canvas.pixels[i * 3] = canvas.pixels[i * 3 + 1] = canvas.pixels[i * 3 + 2] = font.sheet[i] / 255.0f;
    // Cell outlines in dim red, drawn only over blank pixels.
    for (const GlyphInfo& g : font.glyphs) {
        if (!g.present) continue;
        const int l = static_cast<int>(std::lround(g.left * static_cast<float>(font.sheetWidth)));
        const int r = static_cast<int>(std::lround(g.right * static_cast<float>(font.sheetWidth))) - 1;
        const int t = static_cast<int>(std::lround(g.top * static_cast<float>(font.sheetHeight)));
        const int b = static_cast<int>(std::lround(g.bottom * static_cast<float>(font.sheetHeight))) - 1;
        auto mark = [&](int x, int y) {
            float* p = &canvas.pixels[(static_cast<size_t>(y) * font.sheetWidth + static_cast<size_t>(x)) * 3];
            if (p[1] == 0.0f) p[0] = 0.5f;
        };
        for (int x = l; x <= r; ++x) mark(x, t), mark(x, b);
        for (int y = t; y <= b; ++y) mark(l, y), mark(r, y);
    }
    WritePng(canvas, pngPath);
    std::printf("%s: %ux%u\n", pngPath.c_str(), font.sheetWidth, font.sheetHeight);
    return 0;
}

void Usage() {
    std::fprintf(stderr,
                 "usage: tessaran-fontgen build --font FACE.ttf --out FILE.fnt [--em PX] [--sheet WxH]\n"
                 "                              [--padding PX] [--gamma G] [--verbose]\n"
                 "       tessaran-fontgen preview FILE.fnt OUT.png\n"
                 "       tessaran-fontgen sheet FILE.fnt OUT.png\n");
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) Usage();
    const std::string mode = argv[1];
    if ((mode == "preview" || mode == "sheet") && argc == 4)
        return mode == "preview" ? Preview(argv[2], argv[3]) : Sheet(argv[2], argv[3]);
    if (mode != "build") Usage();
    BuildOptions opt;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) Usage();
            return argv[++i];
        };
        if (arg == "--font") opt.fontPath = value();
        else if (arg == "--out") opt.outPath = value();
        else if (arg == "--em") opt.em = std::atoi(value().c_str());
        else if (arg == "--padding") opt.padding = std::atoi(value().c_str());
        else if (arg == "--gamma") opt.gamma = std::atof(value().c_str());
        else if (arg == "--verbose") opt.verbose = true;
        else if (arg == "--sheet") {
            const std::string v = value();
            if (std::sscanf(v.c_str(), "%dx%d", &opt.sheetWidth, &opt.sheetHeight) != 2) Usage();
        } else Usage();
    }
    if (opt.fontPath.empty() || opt.outPath.empty() || opt.em < 4 || opt.em > 512 || opt.padding < 1 ||
        opt.sheetWidth < 16 || opt.sheetHeight < 16 || opt.gamma <= 0.0)
        Usage();
    return Build(opt);
}
