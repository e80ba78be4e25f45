// The presentation toolkit in the game's window, read back from the frame: the text queue past
// its first twenty strings and odd font sheets; picture textures and the player's piece sheet;
// widgets holding clicks for the menu and answering the pointer; piece drawing; and the message
// and text-entry screens' exits, what they draw and where (the about screen, the summary and a
// typed name are played through end to end elsewhere).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "board/pieces.h"
#include "game/game_state.h"
#include "platform/platform.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "support/game_window.h"
#include "support/temp_home.h"
#include "ui/bmp_bytes.h"
#include "ui/font_bytes.h"
#include "ui/piece_sheet.h"
#include "ui/text.h"
#include "ui/textures.h"
#include "ui/widgets.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

constexpr int kWidth = kGameWindowWidth, kHeight = kGameWindowHeight;

struct Found {
    int right = -1, count = 0;
};

// How many pixels between two rows match `pred`, and the rightmost column of them.
template <typename Pred>
Found Find(const WindowPixels& f, Pred pred, int fromRow = 0, int toRow = kHeight) {
    Found found;
    for (int y = fromRow; y < toRow; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (pred(f.At(x, y))) found = {x > found.right ? x : found.right, found.count + 1};
    return found;
}

bool Lit(const uint8_t* p) { return p[0] > 0 || p[1] > 0 || p[2] > 0; }

GLint TextureSize(GLuint name, GLenum which = GL_TEXTURE_WIDTH) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint size = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &size);
    return size;
}

class WindowTest : public TempHomeTest {
protected:
    void SetUp() override {
        W::Open();
        TempHomeTest::SetUp();
        W::Sounds().clear();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        MouseClicked = false;
        HoverX = HoverY = -100;
        WidgetHover = HoverState{};
        SetBoardProjection();
        glLoadIdentity();
    }
    void TearDown() override {
        DifficultyMenuOpen = false;
        Prefs.pieceStyle = 0;
        TempHomeTest::TearDown();
    }
};

TEST_F(WindowTest, TwentyOneQueuedStringsAllDrawInOrder) {
    LFontRenderer& t = TextRenderer;
    t.SetHeight(20);
    t.SetColor(1, 1, 1);
    for (int i = 0; i < 19; ++i) t.StringOut(10, static_cast<float>(i * 26), "HH");
    t.SetColor(1, 0, 0);
    t.StringOut(400, 100, "HH");
    t.SetColor(0, 1, 0);
    t.StringOut(400, 100, "HH");  // drawn after the red one, so it covers it
    EXPECT_EQ(t.QueueLength(), 40u) << "the queue grows by twenty";
    t.Draw();
    const WindowPixels f = W::ReadFrame();
    for (int i = 0; i < 19; ++i) EXPECT_GT(Find(f, Lit, i * 26, i * 26 + 20).count, 0) << i;
    EXPECT_GT(Find(f, [](const uint8_t* p) { return p[1] > 200 && p[0] < 60; }).count, 20);
    EXPECT_EQ(Find(f, [](const uint8_t* p) { return p[0] > 128 && p[1] < 60; }).count, 0);
}

// A 3-texel-wide sheet has rows that are not 4-byte aligned: each texel must still land in place.
TEST_F(WindowTest, OddWidthFontSheetUploadsRowByRow) {
    FontBytes f;
    f.width = 3, f.height = 5, f.defaultHeight = 50;
    f.Glyph('A', 0, 0, 5, 3, 0.6f);
    for (int i = 0; i < 15; ++i) f.sheet.push_back(i % 2 == 0 ? 255 : 0);  // a checkerboard
    WriteBytes(home + "/font.fnt", f.Bytes());
    LFontRenderer renderer;
    renderer.LoadFont("Checks", home + "/font.fnt");
    renderer.SetActiveFont("Checks");
    renderer.StringOut(100, 100, "A");  // each texel becomes a 10 x 10 block
    renderer.Draw();
    const WindowPixels frame = W::ReadFrame();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(frame.At(100 + x * 10 + 5, 100 + y * 10 + 5)[0] > 100, (x + y) % 2 == 0) << x << "," << y;
}

TEST_F(WindowTest, EveryPictureHasItsFixedNameSizeAndMaskOnlyWhereListedBesideTheFont) {
    const GLuint font = TextRenderer.Font(0).texture;
    EXPECT_FALSE(IsFixedTextureName(font)) << "the font's generated name must not be a picture's";
    EXPECT_GT(TextureSize(font), 0);
    for (const BuiltInPicture& p : kBuiltInPictures) {
        TextureImage expected;
        ASSERT_TRUE(LoadBitmapResource(p.number, false, expected));
        EXPECT_EQ(TextureSize(p.number), expected.picture.width) << p.number;
        EXPECT_EQ(TextureSize(p.number, GL_TEXTURE_HEIGHT), expected.picture.height) << p.number;
        EXPECT_EQ(glIsTexture(MaskName(p.number)) == GL_TRUE, p.masked) << p.number;
    }
    EXPECT_EQ(TextureSlotCount, 12);
    EXPECT_EQ(TextureSize(MaskName(TexturePieceSheet)), 512);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A usable file of the player's replaces the characters (not the dimmed sheet); anything else
// brings back the built-in sheet with the message screen over where the game was.
TEST_F(WindowTest, ThePlayersPieceSheetIsUsedWhenUsableElseTheBuiltInOneWithTheMessage) {
    BmpLayout layout;
    layout.width = 64, layout.height = 16;
    WriteBytes(home + "/mine.bmp", MakeBmp(layout));
    layout.width = 48;  // sides must be powers of two
    WriteBytes(home + "/wide.bmp", MakeBmp(layout));
    WriteBytes(home + "/text.bmp", {'t', 'e', 'x', 't'});
    Prefs.useCustomGraphics = 1;
    Prefs.graphicsChoice = kCustomSheetChoice;
    for (const std::string file : {"mine.bmp", "wide.bmp", "text.bmp", "missing.bmp", "", "mine.bmp"}) {
        std::snprintf(Prefs.graphicsFile, sizeof Prefs.graphicsFile, "%s/%s", home.c_str(), file.c_str());
        ScreenState = ScreenStartup, ReturnState = ScreenGame, MessageLine1[0] = MessageLine2[0] = 0;
        LoadPieceSheet();
        const bool good = file == "mine.bmp";
        EXPECT_EQ(PieceSheetOrigin, good ? PieceSheetSource::CustomFile : PieceSheetSource::BuiltIn) << file;
        EXPECT_EQ(TextureSize(TexturePieceSheet), good ? 64 : 512) << file;
        EXPECT_EQ(TextureSize(MaskName(TexturePieceSheet), GL_TEXTURE_HEIGHT), good ? 16 : 128) << file;
        EXPECT_EQ(TextureSize(TextureDimSheet), 512) << file;
        EXPECT_EQ(ScreenState, good ? ScreenStartup : ScreenMessage) << file;
        EXPECT_EQ(ReturnState, good ? ScreenGame : ScreenStartup) << file;
        EXPECT_STREQ(MessageLine1, good ? "" : "Couldn't load specified Vorla graphics file.") << file;
        EXPECT_STREQ(MessageLine2, good ? "" : "The file may be missing.  Reverting to regular Vorla graphics.") << file;
    }
    std::memset(Prefs.graphicsFile, 'a', sizeof Prefs.graphicsFile);  // no terminating NUL
    LoadPieceSheet();
    EXPECT_EQ(PieceSheetOrigin, PieceSheetSource::BuiltIn);
    EXPECT_TRUE(RecordedBoxes().empty());
}

// Custom graphics off, a file is never read; a numbered sheet is used when present, and one
// that is not falls back without a word.
TEST_F(WindowTest, OtherChoicesUseANumberedSheetWhenPresentOrFallBackQuietly) {
    WriteBytes(home + "/mine.bmp", MakeBmp({}));
    std::snprintf(Prefs.graphicsFile, sizeof Prefs.graphicsFile, "%s/mine.bmp", home.c_str());
    const std::vector<uint8_t> bytes = MakeBmp({.width = 32});
    OverrideResource("BITMAP", "605", Resource{bytes.data(), bytes.size()});
    const std::pair<int, int32_t> choices[] = {{0, 99}, {1, 5}, {1, 0}, {1, -7}, {1, 2147483647}};
    for (const auto& [custom, choice] : choices) {
        Prefs.useCustomGraphics = static_cast<uint8_t>(custom), Prefs.graphicsChoice = choice;
        ScreenState = ScreenStartup;
        LoadPieceSheet();
        EXPECT_EQ(PieceSheetOrigin, choice == 5 ? PieceSheetSource::Numbered : PieceSheetSource::BuiltIn) << choice;
        EXPECT_EQ(TextureSize(TexturePieceSheet), choice == 5 ? 32 : 512) << choice;
        EXPECT_EQ(ScreenState, ScreenStartup) << choice;
    }
    ClearResourceOverrides();
}

TEST_F(WindowTest, AnOpenDifficultyMenuHoldsClicksBackFromButtons) {
    MouseClicked = true;
    ClickX = BoardXFromPercent(13);
    ClickY = BoardYFromPercent(21);
    DifficultyMenuOpen = true;
    EXPECT_FALSE(DoButton(10, 20, 5, "New Puzzle"));
    EXPECT_TRUE(MouseClicked) << "the click stays pending for the menu";
    DifficultyMenuOpen = false;
    EXPECT_TRUE(DoButton(10, 20, 5, "First"));
    EXPECT_FALSE(DoTextItem(10, 20, 5, "Second", false));
    EXPECT_EQ(W::Sounds(), std::vector<int>{SoundPop});
}

// A check box under the pointer turns its text green and is heard once, and again when the
// pointer comes back; a button is silent.
TEST_F(WindowTest, AHoveredCheckBoxTurnsGreenAndIsHeardOnce) {
    auto greenRight = [](int hoverX, int hoverY) {  // the right edge of the green; the box is always green
        ServiceHoverSound();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        HoverX = hoverX, HoverY = hoverY;
        DoCheckBox(20, 30, 5, "Sound effects", false, false);
        DoButton(20, 60, 4, "OK");
        return Find(W::ReadFrame(), [](const uint8_t* p) { return p[1] > 200 && p[0] < 150; }, 170, 220).right;
    };
    EXPECT_LT(greenRight(22, 61), 160);
    EXPECT_GT(greenRight(25, 31), 300);
    for (int i = 0; i < 3; ++i) greenRight(26, 32);
    EXPECT_EQ(W::Sounds(), std::vector<int>{SoundMouseOver});
    for (const int x : {5, 25, 25}) greenRight(x, 31);
    EXPECT_EQ(W::Sounds().size(), 2u);
}

TEST_F(WindowTest, ValuesOutsideOneToNineDrawNothingAndTouchNothing) {
    glEnable(GL_BLEND);
    for (int value : {0, 10, -1, 1000}) {
        DrawPiece(value, 0, false);
        DrawPiecePicture(value, 1);
    }
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(Find(W::ReadFrame(), Lit).count, 0);
}

// Every piece leaves blending and coordinate generation off; with numbers only (style 1) the
// ninth piece shows its light blue digit and none of its purple and red character.
TEST_F(WindowTest, PiecesLeaveTheirStateAndNumbersOnlyDrawsNoCharacter) {
    Prefs.pieceStyle = 2;
    for (int value = 1; value <= 9; ++value) {
        DrawPiece(value, value % 2, value > 4);
        EXPECT_TRUE(!glIsEnabled(GL_BLEND) && glIsEnabled(GL_DEPTH_TEST) && !glIsEnabled(GL_TEXTURE_GEN_S)) << value;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    Prefs.pieceStyle = 1;
    DrawPiecePicture(9, 0);
    EXPECT_EQ(Prefs.pieceStyle, 1) << "the picture variant puts the style back";
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glTranslatef(5.0f, 4.0f, 0.0f);
    glScalef(6.0f, 6.0f, 1.0f);
    DrawPiece(9, 0, false);
    const WindowPixels f = W::ReadFrame();
    EXPECT_EQ(Find(f, [](const uint8_t* p) { return p[0] > 120 && p[0] > p[2] + 40; }).count, 0);
    EXPECT_GT(Find(f, [](const uint8_t* p) { return p[2] > 150 && p[2] > p[0] + 40; }).count, 800);
}

// ---- Message and text-entry screens ---------------------------------------------------------

// Saves land in the window's scratch folder.
class DialogsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        W::Reset();
        PendingPersonalBest = PendingPlayerNote = false;
        HighlightRow = kNoHighlight;
        ClearEntryKeys();
    }
};

// Pixels of a text colour (within 40 per channel) in a rectangle of the window, in percent.
int CountColour(const WindowPixels& f, float x0, float y0, float x1, float y1, int r, int g, int b) {
    int n = 0;
    for (int y = static_cast<int>(y0 * 6.0f); y < static_cast<int>(y1 * 6.0f); ++y)
        for (int x = static_cast<int>(x0 * 8.0f); x < static_cast<int>(x1 * 8.0f); ++x) {
            const uint8_t* p = f.At(x, y);
            n += std::abs(p[0] - r) < 40 && std::abs(p[1] - g) < 40 && std::abs(p[2] - b) < 40;
        }
    return n;
}

TEST_F(DialogsWindowTest, TheMessageScreenReturnsOnOkAndQuitsAfterOneMoreGame) {
    ShowMessageScreen("Congratulations!", "This is your #1 personal high score, Ruko!", ScreenMain);
    const WindowPixels f = W::Drawn();
    EXPECT_GT(CountColour(f, 30, 30, 70, 36, 255, 255, 128), 100) << "the first line, yellow, at 30 %";
    EXPECT_GT(CountColour(f, 20, 40, 80, 45, 128, 255, 255), 100) << "the second line, cyan, at 40 %";
    SetTextSize(5);
    W::ClickPercent(49.0f + TextWidthPercent("OK") * 0.5f, 52.0f);  // "OK", size 5, at (49 %, 50 %)
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);

    OneMoreGame = true;
    ShowMessageScreen("You said one more game...", "Tessaran will now quit, but nobody will know if you start again!",
                      ScreenMain);
    W::RunFrames(1);
    W::Key(13);
    W::RunFrames(1);  // the quit state runs on the next frame, which this test never draws
    EXPECT_EQ(ScreenState, ScreenQuit);
}

TEST_F(DialogsWindowTest, ALongSecondLineIsWrappedInsideTheWindow) {
    ShowMessageScreen("Please Note:  You are playing as A name of exactly twenty-nine.",
                      "All games and scores will be recorded under this player profile as well as on the main high "
                      "score list.",
                      ScreenMain);
    const WindowPixels f = W::Drawn();
    EXPECT_EQ(CountColour(f, 0, 34, 2, 48, 128, 255, 255), 0) << "nothing cut at the left edge";
    EXPECT_EQ(CountColour(f, 98, 34, 100, 48, 128, 255, 255), 0) << "nothing cut at the right edge";
    EXPECT_GT(CountColour(f, 10, 44.6f, 90, 47, 128, 255, 255), 30) << "a second line below";
}

TEST_F(DialogsWindowTest, TheEntryShowsTheOfferedNameThenTheTypedOneInItsBox) {
    Prefs.currentPlayer = 1;
    ScreenState = ScreenMain;
    OpenChangePlayerName();
    W::RunFrames(1);
    // Offered: blue (0.2, 0.8, 1.0); typed: green (0.3, 1.0, 0.5); both at 50 % in the box.
    EXPECT_GT(CountColour(W::Capture(), 25, 50, 50, 58, 51, 204, 255), 40);
    W::Key('Q');
    const WindowPixels f = W::Drawn();
    EXPECT_EQ(CountColour(f, 25, 50, 50, 58, 51, 204, 255), 0);
    EXPECT_GT(CountColour(f, 25, 50, 50, 58, 77, 255, 128), 20);
    EXPECT_GT(CountColour(f, 20, 49, 55, 61, 77, 255, 255), 30) << "the box outline";
    W::Key(27);
    W::RunFrames(1);
    EXPECT_STREQ(Prefs.playerName[0], "Ruko");
}

}  // namespace
}  // namespace tessaran::test
