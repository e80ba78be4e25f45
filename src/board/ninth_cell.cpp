// The ninth character from a texture cell. Its geometry is resolution-free and its arm turns by
// a random angle, so no fixed picture can stand in for it; instead it is drawn once, at the very
// pixel scale and sub-pixel position it is shown at, into a cell of an atlas texture through a
// framebuffer object, and that cell is copied one texel to a pixel wherever the same look is
// wanted again: on a board, every square with the same offset inside its pixel.
#define GL_GLEXT_PROTOTYPES 1
#include "board/ninth_cell.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "board/pieces.h"
#include "ui/textures.h"

namespace tessaran {

namespace {

// Arm and claw reach past the unit square: 0.6 either side of the origin holds every angle.
constexpr float kReach = 0.6f;
// Where the origin falls inside its pixel, to the rasterizer's own precision: a cell made for
// another offset would move edges by part of a pixel and shift the shading.
constexpr int kPhases = 256;
constexpr int kAtlasSize = 1024;

struct Cell {
    float pixelsX = 0, pixelsY = 0;  // window pixels per unit of the piece's square, signed
    int phaseX = 0, phaseY = 0;      // where the origin falls inside its pixel, in kPhases
    float angle = 0, bob = 0, x = 0, y = 0;
    bool dimmed = false;
    bool adding = false;  // drawn adding to what is there, so its own overlaps add up too
    int left = 0, bottom = 0, width = 0, height = 0;  // in the atlas
    int originX = 0, originY = 0;  // whole pixels from the cell's corner to the origin's pixel
};

// Cells packed in shelves, bottom up; emptied when full or when the arm turns, but never while
// queued quads still point into it.
struct Atlas {
    GLuint texture = 0, framebuffer = 0, depth = 0;
    bool failed = false;
    std::vector<Cell> cells;
    int shelfBottom = 0, shelfHeight = 0, shelfEnd = 0;
} Atlas;

struct QueuedQuad {
    float x[4], y[4], z;
    float s0, t0, s1, t1;
};
std::vector<QueuedQuad> Queue;
int CellsAllowed = 0;  // new cells this frame; past it the geometry is drawn, pixel for pixel

bool CreateAtlas() {
    if (Atlas.texture || Atlas.failed) return !Atlas.failed;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!(version && std::atoi(version) >= 3) &&
        !(extensions && std::strstr(extensions, "GL_ARB_framebuffer_object"))) {
        Atlas.failed = true;
        return false;
    }
    GLint previousTexture = 0, previousFramebuffer = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previousTexture);
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previousFramebuffer);
    glGenTextures(1, &Atlas.texture);
    glBindTexture(GL_TEXTURE_2D, Atlas.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kAtlasSize, kAtlasSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previousTexture));
    glGenRenderbuffers(1, &Atlas.depth);
    glBindRenderbuffer(GL_RENDERBUFFER, Atlas.depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, kAtlasSize, kAtlasSize);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glGenFramebuffers(1, &Atlas.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, Atlas.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, Atlas.texture, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, Atlas.depth);
    Atlas.failed = glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer));
    return !Atlas.failed;
}

void EmptyAtlas() {
    Atlas.cells.clear();
    Atlas.shelfBottom = Atlas.shelfHeight = Atlas.shelfEnd = 0;
}

// A free rectangle for a cell, or false when the atlas is full.
bool Place(Cell& c) {
    if (Atlas.shelfEnd + c.width > kAtlasSize) {
        Atlas.shelfBottom += Atlas.shelfHeight;
        Atlas.shelfHeight = Atlas.shelfEnd = 0;
    }
    if (Atlas.shelfBottom + c.height > kAtlasSize || c.width > kAtlasSize) return false;
    c.left = Atlas.shelfEnd;
    c.bottom = Atlas.shelfBottom;
    Atlas.shelfEnd += c.width;
    Atlas.shelfHeight = std::max(Atlas.shelfHeight, c.height);
    return true;
}

bool Same(const Cell& c, const Cell& key) {
    return c.pixelsX == key.pixelsX && c.pixelsY == key.pixelsY && c.phaseX == key.phaseX &&
           c.phaseY == key.phaseY && c.angle == key.angle && c.bob == key.bob && c.x == key.x && c.y == key.y &&
           c.dimmed == key.dimmed && c.adding == key.adding;
}

void Render(const Cell& c) {
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_FRAMEBUFFER, Atlas.framebuffer);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glViewport(c.left, c.bottom, c.width, c.height);
    glScissor(c.left, c.bottom, c.width, c.height);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (c.adding) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
    } else {
        glDisable(GL_BLEND);
    }
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_DEPTH_TEST);
    // The piece's local coordinates of the cell's edges, its origin `phase` into its pixel.
    const float ox = static_cast<float>(c.originX) + static_cast<float>(c.phaseX) / kPhases;
    const float oy = static_cast<float>(c.originY) + static_cast<float>(c.phaseY) / kPhases;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-ox / c.pixelsX, (static_cast<float>(c.width) - ox) / c.pixelsX, -oy / c.pixelsY,
            (static_cast<float>(c.height) - oy) / c.pixelsY, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    NinthPieceState.bob = c.bob;
    DrawNinthPiece(c.dimmed);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
}

// The cell for the current transform and the character's state, made if not kept, and the
// piece's local rectangle that puts its texels on whole window pixels, as left, right,
// bottom, top; null where a cell cannot stand in (turned or sheared, too large, no
// framebuffers, or this frame's new cells used up).
const Cell* FindCell(bool dimmed, bool adding, float extent[4]) {
    if (!CreateAtlas()) return nullptr;
    float m[16], p[16];
    GLint viewport[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glGetIntegerv(GL_VIEWPORT, viewport);
    // Only scaling and moving: a turned piece (the bouncing ones) keeps its geometry.
    if (m[1] != 0 || m[2] != 0 || m[4] != 0 || m[6] != 0 || m[3] != 0 || m[7] != 0 || m[15] != 1) return nullptr;
    if (p[1] != 0 || p[4] != 0 || p[3] != 0 || p[7] != 0 || p[11] != 0 || p[15] != 1) return nullptr;
    Cell key;
    key.pixelsX = m[0] * p[0] * static_cast<float>(viewport[2]) * 0.5f;
    key.pixelsY = m[5] * p[5] * static_cast<float>(viewport[3]) * 0.5f;
    if (key.pixelsX == 0 || key.pixelsY == 0) return nullptr;
    const float windowX =
        static_cast<float>(viewport[0]) + (p[0] * m[12] + p[12] + 1.0f) * static_cast<float>(viewport[2]) * 0.5f;
    const float windowY =
        static_cast<float>(viewport[1]) + (p[5] * m[13] + p[13] + 1.0f) * static_cast<float>(viewport[3]) * 0.5f;
    const auto split = [](float window, int& phase, float& whole) {
        whole = std::floor(window);
        phase = static_cast<int>(std::lround((window - whole) * kPhases));
        if (phase == kPhases) {
            phase = 0;
            whole += 1.0f;
        }
    };
    float pixelX = 0, pixelY = 0;
    split(windowX, key.phaseX, pixelX);
    split(windowY, key.phaseY, pixelY);
    key.angle = NinthPieceState.angle;
    key.bob = NinthPieceState.bob;
    key.x = NinthPieceState.x;
    key.y = NinthPieceState.y;
    key.dimmed = dimmed;
    key.adding = adding;

    const Cell* found = nullptr;
    for (const Cell& c : Atlas.cells) {
        if (Same(c, key)) {
            found = &c;
            break;
        }
    }
    if (!found) {
        if (CellsAllowed <= 0) return nullptr;
        const float reachX = kReach + std::fabs(key.x), reachY = kReach + std::fabs(key.y);
        key.originX = static_cast<int>(std::ceil(reachX * std::fabs(key.pixelsX)));
        key.originY = static_cast<int>(std::ceil(reachY * std::fabs(key.pixelsY)));
        key.width = 2 * key.originX + 1;
        key.height = 2 * key.originY + 1;
        // The arm turns every few seconds: cells for the old angle are not wanted again soon.
        const bool turned = !Atlas.cells.empty() && Atlas.cells.back().angle != key.angle;
        if (turned && Queue.empty()) EmptyAtlas();
        if (!Place(key)) {
            if (!Queue.empty()) return nullptr;
            EmptyAtlas();
            if (!Place(key)) return nullptr;
        }
        --CellsAllowed;
        Render(key);
        Atlas.cells.push_back(key);
        found = &Atlas.cells.back();
    }

    const float left = (pixelX - static_cast<float>(found->originX) - windowX) / found->pixelsX;
    const float bottom = (pixelY - static_cast<float>(found->originY) - windowY) / found->pixelsY;
    extent[0] = left;
    extent[1] = left + static_cast<float>(found->width) / found->pixelsX;
    extent[2] = bottom;
    extent[3] = bottom + static_cast<float>(found->height) / found->pixelsY;
    return found;
}

void TexturedQuad(const QueuedQuad& q) {
    const float s[4] = {q.s0, q.s1, q.s1, q.s0}, t[4] = {q.t0, q.t0, q.t1, q.t1};
    for (int k = 0; k < 4; ++k) {
        glTexCoord2f(s[k], t[k]);
        glVertex3f(q.x[k], q.y[k], q.z);
    }
}

// Draws quads from the atlas over what is there (or adding to it), only the character's own
// texels writing depth, as its geometry did; leaves texturing and the alpha test off.
void DrawFromAtlas(const std::vector<QueuedQuad>& quads, bool adding) {
    GLint source = GL_ONE, destination = GL_ZERO;
    if (!adding) {
        glGetIntegerv(GL_BLEND_SRC_RGB, &source);
        glGetIntegerv(GL_BLEND_DST_RGB, &destination);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    }
    glEnable(GL_TEXTURE_2D);
    BindTexture(Atlas.texture);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glBegin(GL_QUADS);
    for (const QueuedQuad& q : quads) TexturedQuad(q);
    glEnd();
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    if (!adding) {
        glDisable(GL_BLEND);
        glBlendFunc(static_cast<GLenum>(source), static_cast<GLenum>(destination));
    }
}

}  // namespace

void AllowNewNinthCells(int count) { CellsAllowed = count; }

bool DrawNinthFromCell(bool dimmed, bool queue) {
    GLboolean blend = GL_FALSE;
    glGetBooleanv(GL_BLEND, &blend);
    bool adding = false;
    if (blend) {
        // Added to what is there (the side panel); any other blend keeps its geometry.
        GLint source = 0, destination = 0;
        glGetIntegerv(GL_BLEND_SRC_RGB, &source);
        glGetIntegerv(GL_BLEND_DST_RGB, &destination);
        if (source != GL_ONE || destination != GL_ONE || queue) return false;
        adding = true;
    }
    float e[4];
    const Cell* cell = FindCell(dimmed, adding, e);
    if (!cell) return false;

    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const float u[4] = {e[0], e[1], e[1], e[0]}, v[4] = {e[2], e[2], e[3], e[3]};
    QueuedQuad q{};
    for (int k = 0; k < 4; ++k) {
        q.x[k] = m[0] * u[k] + m[12];
        q.y[k] = m[5] * v[k] + m[13];
    }
    q.z = m[14] + m[10] * 0.1f;  // the body's depth
    const float texel = 1.0f / kAtlasSize;
    q.s0 = static_cast<float>(cell->left) * texel;
    q.t0 = static_cast<float>(cell->bottom) * texel;
    q.s1 = static_cast<float>(cell->left + cell->width) * texel;
    q.t1 = static_cast<float>(cell->bottom + cell->height) * texel;
    NinthPieceState.bob = 0.0f;
    if (queue) {
        Queue.push_back(q);
    } else {
        glPushMatrix();
        glLoadIdentity();
        DrawFromAtlas({q}, adding);
        glPopMatrix();
    }
    // What the geometry leaves behind: its last colour, the legs' dark grey.
    const float k = dimmed ? 0.3f : 1.0f;
    glColor3f(0.2f * k, 0.2f * k, 0.2f * k);
    return true;
}

void DrawQueuedNinthCells() {
    if (Queue.empty()) return;
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    DrawFromAtlas(Queue, false);
    glPopMatrix();
    Queue.clear();
}

}  // namespace tessaran
