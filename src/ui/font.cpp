// LFontRenderer: loads ".fnt" fonts into textures and draws queued strings as one quad per byte.
#include "ui/font.h"

#include <GL/gl.h>

#include <new>
#include <utility>

#include "platform/platform.h"
#include "shell/startup.h"

namespace tessaran {

namespace {

// Texture names the picture loader binds directly without generating them (pictures at their
// resource number, masks at number + 1000). A font texture that got one of these names would be
// overwritten by a picture, so LoadFont keeps generating until it gets a name outside the set.
constexpr GLuint kFixedTextureNames[] = {2, 8, 100, 101, 138, 194, 247, 248, 249, 251, 261, 262, 263};

bool IsFixedTextureName(GLuint name) {
    for (GLuint fixed : kFixedTextureNames)
        if (name == fixed || name == fixed + 1000) return true;
    return false;
}

GLuint GenerateFontTextureName() {
    // Rejected names stay generated on purpose: deleting them could hand them back at once, and
    // the picture loader binds them later anyway.
    GLuint name = 0;
    for (int tries = 0; tries < 64; ++tries) {
        glGenTextures(1, &name);
        if (!IsFixedTextureName(name)) return name;
    }
    return name;  // 64 fixed names in a row cannot happen: there are only 26
}

GLuint UploadSheet(const FontFileData& data) {
    // Luminance and alpha both carry the coverage, so modulated colour fades with the edge.
    const std::size_t pixels = static_cast<std::size_t>(data.sheetWidth) * data.sheetHeight;
    std::vector<uint8_t> pairs;
    try {
        pairs.resize(pixels * 2);
    } catch (const std::bad_alloc&) {
        throw FontError("LFontRenderer::LoadFont - could not allocate memory for font");
    }
    for (std::size_t i = 0; i < pixels; ++i) pairs[2 * i] = pairs[2 * i + 1] = data.sheet[i];

    const GLuint name = GenerateFontTextureName();
    glBindTexture(GL_TEXTURE_2D, name);
    // Rows of an odd-width sheet are not 4-byte aligned; the default alignment would read past them.
    GLint oldAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, static_cast<GLsizei>(data.sheetWidth),
                 static_cast<GLsizei>(data.sheetHeight), 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, pairs.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

const GlyphInfo& DrawnGlyph(const FontEntry& font, unsigned char c) {
    return font.glyphs[c].present ? font.glyphs[c] : font.glyphs[' '];
}

}  // namespace

LFontRenderer::~LFontRenderer() {
    // No GL calls here: at process exit the window and its context may already be gone, and the
    // driver frees the textures with the context anyway.
    fonts_.clear();
    queue_.clear();
}

int LFontRenderer::LoadFont(const std::string& fontName, const std::string& fileName) {
    if (fontName.empty() || fileName.empty())
        throw FontError("LFontRenderer::LoadFont - invalid filename or font name");
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(fileName, bytes)) FatalMissingFile(fileName);

    FontFileData data;
    const FontFileStatus status = DecodeFontFile(bytes, data);
    // A file cut short before its sheet is as good as missing: the game cannot run without it.
    if (status == FontFileStatus::TruncatedGlyphTable) FatalMissingFile(fileName);
    if (status != FontFileStatus::Ok) throw FontError(FontFileMessage(status));
    std::vector<uint8_t>().swap(bytes);

    const GLuint texture = UploadSheet(data);
    try {
        return AddFont(fontName, data, texture);
    } catch (...) {
        glDeleteTextures(1, &texture);
        throw;
    }
}

int LFontRenderer::AddFont(const std::string& fontName, const FontFileData& data, uint32_t texture) {
    FontEntry entry;
    entry.name = fontName;
    entry.texture = texture;
    entry.defaultHeight = data.defaultHeight;
    entry.currentHeight = data.defaultHeight;
    entry.glyphs = data.glyphs;
    fonts_.push_back(std::move(entry));
    return static_cast<int>(fonts_.size() - 1);
}

FontEntry& LFontRenderer::Active(const char* operation) {
    if (activeFont_ >= fonts_.size())
        throw FontError(std::string("LFontRenderer::") + operation + " - no valid active font selected");
    return fonts_[activeFont_];
}

const FontEntry& LFontRenderer::Active(const char* operation) const {
    return const_cast<LFontRenderer*>(this)->Active(operation);
}

void LFontRenderer::SetActiveFont(std::string_view fontName) {
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i].name == fontName) {
            activeFont_ = static_cast<uint32_t>(i);
            return;
        }
    }
    throw FontError("LFontRenderer::SetActiveFont - specified font not found");
}

void LFontRenderer::SetHeight(uint32_t pixels) {
    FontEntry& font = Active("SetHeight");
    font.currentHeight = pixels == kDefaultHeight ? font.defaultHeight : pixels;
}

void LFontRenderer::SetColor(float r, float g, float b) {
    FontEntry& font = Active("SetColor");
    font.r = r;
    font.g = g;
    font.b = b;
}

void LFontRenderer::GetColor(float& r, float& g, float& b) const {
    const FontEntry& font = Active("GetColor");
    r = font.r;
    g = font.g;
    b = font.b;
}

void LFontRenderer::SetWidthScale(float scale) { Active("SetWidthScale").widthScale = scale; }

void LFontRenderer::SetRotation(float degrees) { Active("SetRotation").rotation = degrees; }

uint32_t LFontRenderer::GetStringWidth(std::string_view text) const {
    const FontEntry& font = Active("GetStringWidth");
    double width = 0.0;
    for (unsigned char c : text)
        width += static_cast<double>(font.currentHeight) * DrawnGlyph(font, c).advanceRatio * font.widthScale;
    // A font file can hold any float as an advance: keep the conversion defined.
    if (!(width > 0.0)) return 0;
    if (width >= 4294967295.0) return 0xFFFFFFFFu;
    return static_cast<uint32_t>(width);
}

void LFontRenderer::StringOut(float x, float y, std::string_view text) {
    const FontEntry& font = Active("StringOut");
    if (queuedCount_ >= queue_.size()) queue_.resize(queue_.size() + kQueueGrowth);
    QueuedString& q = queue_[queuedCount_];
    q.text.assign(text);
    q.fontIndex = activeFont_;
    q.height = font.currentHeight;
    q.r = font.r;
    q.g = font.g;
    q.b = font.b;
    q.rotation = font.rotation;
    q.x = x;
    q.y = y;
    q.widthScale = font.widthScale;
    ++queuedCount_;
}

void LFontRenderer::Draw() {
    if (queuedCount_ == 0) return;
    // Checked before any GL state changes, so a failure leaves the matrix stacks alone.
    for (uint32_t i = 0; i < queuedCount_; ++i)
        if (queue_[i].fontIndex >= fonts_.size()) throw FontError("LFontRenderer::Draw - invalid font index");

    // The text space is the viewport as first seen; later reshapes scale text with the window.
    if (viewport_[2] == 0 || viewport_[3] == 0) glGetIntegerv(GL_VIEWPORT, viewport_);
    const double vx = viewport_[0], vy = viewport_[1], vw = viewport_[2], vh = viewport_[3];

    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(vx, vx + vw, vy + vh, vy, 1.0, 10.0);
    glMatrixMode(GL_MODELVIEW);

    for (uint32_t i = 0; i < queuedCount_; ++i) {
        const QueuedString& q = queue_[i];
        const FontEntry& font = fonts_[q.fontIndex];
        glPushMatrix();
        glLoadIdentity();
        glBindTexture(GL_TEXTURE_2D, font.texture);
        glTranslatef(q.x, q.y, 0.0f);
        glRotatef(q.rotation, 0.0f, 0.0f, 1.0f);
        glTranslatef(-q.x, -q.y, -5.0f);
        glColor4f(q.r, q.g, q.b, 1.0f);

        const float height = static_cast<float>(q.height);
        float pen = 0.0f;
        for (unsigned char c : q.text) {
            const GlyphInfo& g = DrawnGlyph(font, c);
            const float w = height * g.advanceRatio * q.widthScale;
            glBegin(GL_TRIANGLE_STRIP);
            glTexCoord2f(g.left, g.top);
            glVertex2f(q.x + pen, q.y);
            glTexCoord2f(g.left, g.bottom);
            glVertex2f(q.x + pen, q.y + height);
            glTexCoord2f(g.right, g.top);
            glVertex2f(q.x + pen + w, q.y);
            glTexCoord2f(g.right, g.bottom);
            glVertex2f(q.x + pen + w, q.y + height);
            glEnd();
            pen += w;
        }
        glPopMatrix();
    }

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    queuedCount_ = 0;
}

void LFontRenderer::Clear() {
    for (const FontEntry& font : fonts_) {
        if (font.texture != 0) {
            const GLuint name = font.texture;
            glDeleteTextures(1, &name);
        }
    }
    fonts_.clear();
    queue_.clear();
    activeFont_ = 0;
    queuedCount_ = 0;
    viewport_[2] = viewport_[3] = 0;
}

}  // namespace tessaran
