// Piece drawing in a real window: what draws nothing, what it leaves behind, and the state the
// variants restore.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "board/pieces.h"
#include "profile/prefs.h"
#include "ui/game_window.h"
#include "ui/widgets.h"

namespace tessaran {
namespace {

class PiecesDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::OpenGameWindow();
        SetBoardProjection();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Prefs.pieceStyle = 2;
    }
    void TearDown() override { Prefs.pieceStyle = 0; }
};

struct GlState {
    GLboolean texture, blend, depth, genS;
    GLint bound;
    GLfloat colour[4];
    bool operator==(const GlState& o) const {
        return texture == o.texture && blend == o.blend && depth == o.depth && genS == o.genS && bound == o.bound &&
               colour[0] == o.colour[0] && colour[1] == o.colour[1] && colour[2] == o.colour[2];
    }
};

GlState Capture() {
    GlState s{};
    s.texture = glIsEnabled(GL_TEXTURE_2D);
    s.blend = glIsEnabled(GL_BLEND);
    s.depth = glIsEnabled(GL_DEPTH_TEST);
    s.genS = glIsEnabled(GL_TEXTURE_GEN_S);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.bound);
    glGetFloatv(GL_CURRENT_COLOR, s.colour);
    return s;
}

TEST_F(PiecesDisplayTest, ValuesOutsideOneToNineDrawNothingAndTouchNothing) {
    glColor3f(0.25f, 0.5f, 0.75f);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_GEN_S);
    const GlState before = Capture();
    for (int value : {0, 10, -1, 1000}) {
        glPushMatrix();
        glTranslatef(4.0f, 4.0f, 0.0f);
        glScalef(6.0f, 6.0f, 1.0f);
        DrawPiece(value, 0, false);
        DrawPiecePicture(value, 1);
        glPopMatrix();
    }
    EXPECT_TRUE(Capture() == before);
    const test::Frame f = test::ReadFrame();
    EXPECT_EQ(f.Brightness(0, 0, f.width - 1, f.height - 1), 0.0);
}

TEST_F(PiecesDisplayTest, DrawnPiecesLeaveBlendingOffAndDepthTestOn) {
    for (int value = 1; value <= 9; ++value) {
        glPushMatrix();
        glTranslatef(static_cast<float>(value), 4.0f, 0.0f);
        DrawPiece(value, value % 2, value > 4);
        glPopMatrix();
        EXPECT_FALSE(glIsEnabled(GL_BLEND)) << value;
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << value;
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S)) << value;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const test::Frame f = test::ReadFrame();
    EXPECT_GT(f.Brightness(0, 0, f.width - 1, f.height - 1), 1.0);
}

TEST_F(PiecesDisplayTest, PictureVariantRestoresTheStyleAndNinthPieceResetsItsBob) {
    Prefs.pieceStyle = 1;
    DrawPiecePicture(9, 0);
    EXPECT_EQ(Prefs.pieceStyle, 1);
    EXPECT_EQ(NinthPieceState.bob, 0.0f);
    DrawPiece(9, 0, false);
    EXPECT_EQ(NinthPieceState.bob, 0.0f);
}

TEST_F(PiecesDisplayTest, NumbersOnlyDrawsNoCharacterNorNinthGeometry) {
    // The ninth character is purple and red; its digit is light blue. With style 1 only blue shows.
    Prefs.pieceStyle = 1;
    glPushMatrix();
    glTranslatef(5.0f, 4.0f, 0.0f);
    glScalef(6.0f, 6.0f, 1.0f);
    DrawPiece(9, 0, false);
    glPopMatrix();
    const test::Frame f = test::ReadFrame();
    int reddish = 0, bluish = 0;
    for (int y = 0; y < f.height; y += 2)
        for (int x = 0; x < f.width; x += 2) {
            const uint8_t* p = f.At(x, y);
            reddish += p[0] > 120 && p[0] > p[2] + 40;
            bluish += p[2] > 150 && p[2] > p[0] + 40;
        }
    EXPECT_EQ(reddish, 0);
    EXPECT_GT(bluish, 200);
}

TEST_F(PiecesDisplayTest, MaskedPictureIgnoresLeftoverTextureGenerationAndColour) {
    // A picture drawn after something left coordinate generation on and a colour set must still
    // come out whole and untinted: compare with a clean draw.
    auto draw = [](bool messy) {
        SetBoardProjection();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (messy) {
            glEnable(GL_TEXTURE_GEN_S);
            glEnable(GL_TEXTURE_GEN_T);
            glColor3f(0.2f, 0.0f, 0.0f);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        }
        DrawMaskedPicture(5.0f, 4.0f, 0.0f, 4.0f, 4.0f, TextureCross);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        return test::ReadFrame();
    };
    const test::Frame clean = draw(false), messy = draw(true);
    EXPECT_EQ(clean.rgb, messy.rgb);
}

}  // namespace
}  // namespace tessaran
