// Picture textures in a real window: fixed names with the listed sizes, masks only where asked,
// the font's texture untouched, the slot limit, and the piece sheet from a player's file.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "profile/prefs.h"
#include "shell/screens.h"
#include "support/temp_home.h"
#include "ui/bmp_bytes.h"
#include "ui/game_window.h"

namespace tessaran {
namespace {

GLint TextureWidth(GLuint name) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint w = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    return w;
}

GLint TextureHeight(GLuint name) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    return h;
}

std::vector<uint8_t> Luminance(GLuint name, int w, int h) {
    std::vector<uint8_t> out(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, out.data());
    return out;
}

class TexturesDisplayTest : public test::TempHomeTest {
protected:
    static void OpenWithBuiltInPictures() {
        test::OpenGameWindow(false);
        if (TextureSlotCount == 0) LoadBuiltInTextures();
    }
};

TEST_F(TexturesDisplayTest, EveryPictureHasItsFixedNameSizeAndMaskOnlyWhereListed) {
    test::OpenGameWindow(false);
    ASSERT_GE(TextRenderer.FontCount(), 1u);
    const GLuint font = TextRenderer.Font(0).texture;
    const GLint fontWidth = TextureWidth(font);
    ASSERT_GT(fontWidth, 0);
    EXPECT_FALSE(IsFixedTextureName(font)) << "the font's generated name must not be a picture's";

    LoadBuiltInTextures();
    LoadPieceSheet();
    EXPECT_EQ(TextureSlotCount, 12);
    EXPECT_EQ(TextureWidth(font), fontWidth) << "a picture was uploaded over the font";
    for (const BuiltInPicture& p : kBuiltInPictures) {
        TextureImage expected;
        ASSERT_TRUE(LoadBitmapResource(p.number, false, expected));
        EXPECT_EQ(TextureWidth(p.number), expected.picture.width) << p.number;
        EXPECT_EQ(TextureHeight(p.number), expected.picture.height) << p.number;
        EXPECT_EQ(glIsTexture(MaskName(p.number)) == GL_TRUE, p.masked) << p.number;
    }
    EXPECT_EQ(TextureWidth(TexturePieceSheet), 512);
    EXPECT_EQ(TextureWidth(MaskName(TexturePieceSheet)), 512);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The uploaded mask is white exactly where the picture is black; t = 0 is the bottom row.
    const std::vector<uint8_t> mask = Luminance(MaskName(TextureCross), 128, 128);
    const BitmapImage& cross = TextureSlots[9].image.picture;
    ASSERT_EQ(TextureSlots[9].number, TextureCross);
    int transparent = 0;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const uint8_t* p = cross.Pixel(x, y);
            const bool black = p[0] == 0 && p[1] == 0 && p[2] == 0;
            transparent += black;
            ASSERT_EQ(mask[static_cast<std::size_t>(y) * 128 + x], black ? 255 : 0) << x << "," << y;
        }
    }
    EXPECT_GT(transparent, 1000);

    ReleaseTextureBitmaps();
    EXPECT_TRUE(TextureSlots[0].image.picture.Empty());
    EXPECT_EQ(glIsTexture(TexturePauseBanner), GL_TRUE) << "textures outlive their bitmaps";
}

TEST_F(TexturesDisplayTest, TheFortyFirstPictureIsRefusedWithAMessage) {
    test::OpenGameWindow(true);
    while (TextureSlotCount < MaxTextures) LoadBitmapTexture(TextureMarbleBar, false);
    EXPECT_TRUE(test::RecordedBoxes().empty());
    LoadBitmapTexture(TextureCross, true);
    EXPECT_EQ(TextureSlotCount, MaxTextures);
    ASSERT_EQ(test::RecordedBoxes().size(), 1u);
    EXPECT_EQ(test::RecordedBoxes()[0].caption, "ERROR!");
    EXPECT_EQ(test::RecordedBoxes()[0].text, "Trying to load too many textures!");
}

TEST_F(TexturesDisplayTest, ABadCustomSheetLeavesTheBuiltInSheetAndTheMessageScreen) {
    OpenWithBuiltInPictures();
    const std::string path = home + "/broken.bmp";
    std::vector<uint8_t> bytes = test::MakeBmp(test::BmpLayout{});
    bytes.resize(bytes.size() / 2);
    test::WriteBytes(path, bytes);
    Prefs.useCustomGraphics = 1;
    Prefs.graphicsChoice = 99;
    std::snprintf(Prefs.graphicsFile, sizeof Prefs.graphicsFile, "%s", path.c_str());
    ScreenState = ScreenStartup;
    LoadPieceSheet();
    EXPECT_EQ(PieceSheetOrigin, PieceSheetSource::BuiltIn);
    EXPECT_EQ(ScreenState, ScreenMessage);
    EXPECT_EQ(ReturnState, ScreenStartup);
    EXPECT_EQ(TextureWidth(TexturePieceSheet), 512);
    EXPECT_EQ(TextureWidth(MaskName(TexturePieceSheet)), 512);
    EXPECT_TRUE(test::RecordedBoxes().empty());
}

TEST_F(TexturesDisplayTest, AGoodCustomSheetReplacesTheCharacters) {
    OpenWithBuiltInPictures();
    const std::string path = home + "/mine.bmp";
    test::BmpLayout layout;
    layout.width = 64;
    layout.height = 16;
    test::WriteBytes(path, test::MakeBmp(layout));
    Prefs.useCustomGraphics = 1;
    Prefs.graphicsChoice = 99;
    std::snprintf(Prefs.graphicsFile, sizeof Prefs.graphicsFile, "%s", path.c_str());
    ScreenState = ScreenStartup;
    LoadPieceSheet();
    EXPECT_EQ(PieceSheetOrigin, PieceSheetSource::CustomFile);
    EXPECT_EQ(ScreenState, ScreenStartup);
    EXPECT_EQ(TextureWidth(TexturePieceSheet), 64);
    EXPECT_EQ(TextureHeight(MaskName(TexturePieceSheet)), 16);
    EXPECT_EQ(TextureWidth(TextureDimSheet), 512) << "the dimmed sheet stays built in";
}

}  // namespace
}  // namespace tessaran
