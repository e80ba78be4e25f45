// Text entry, message and about screens. The entry edits its target slot in place through the
// name rules of the score tables, so nothing typed can leave the slot.
#include "ui/dialogs.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "board/board_render.h"
#include "game/game_state.h"
#include "platform/platform.h"
#include "profile/scores.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "ui/backdrop.h"
#include "ui/bitmap.h"
#include "ui/focus.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

float ScreenTimer = 0.0f;

namespace {

constexpr float kEntryCentre = 37.75f;  // the middle of the entry panel, percent across
constexpr float kPanelRaise = 2.0f;

constexpr const char* kOwnershipLine1 = "\xA9 2026 The Tessaran Developers";
constexpr const char* kOwnershipLine2 = "All rights reserved.";
constexpr float kPanelRoom = 60.0f;   // text inside the entry panel, percent across
constexpr float kScreenRoom = 94.0f;  // text across a whole screen

float WidthAtCurrentSize(const char* text) { return TextWidthPercent(text); }

void DrawCaretAndBox(float w) {
    SetScreenProjection();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    const float s = std::sin(static_cast<float>(FrameStampMs) * 0.005555555555555556f);
    glColor3f(std::clamp(s, 0.0f, 1.0f), std::clamp(1.0f - s, 0.0f, 1.0f), std::clamp(s, 0.0f, 1.0f));
    glBegin(GL_QUADS);
    glVertex3f(150.0f + 2.0f * w, 170.0f, 3.0f);
    glVertex3f(162.0f + 2.0f * w, 170.0f, 3.0f);
    glVertex3f(162.0f + 2.0f * w, 172.0f, 3.0f);
    glVertex3f(150.0f + 2.0f * w, 172.0f, 3.0f);
    glEnd();
    glColor3f(0.3f, 1.0f, 1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex3f(164.0f + 2.0f * w, 150.0f, 3.0f);
    glVertex3f(148.0f - 2.0f * w, 150.0f, 3.0f);
    glVertex3f(148.0f - 2.0f * w, 180.0f, 3.0f);
    glVertex3f(164.0f + 2.0f * w, 180.0f, 3.0f);
    glEnd();
}

}  // namespace

int WrapLine(const char* text, float room, int maxLines, int* starts, int* lengths) {
    const std::string all = text ? text : "";
    int lines = 0;
    std::size_t start = 0;
    while (start < all.size() && lines < maxLines) {
        while (start < all.size() && all[start] == ' ') ++start;
        if (start >= all.size()) break;
        std::size_t end = all.size();
        // The longest run of whole words that fits; a single word too long stays whole.
        if (TextWidthPercent(all.substr(start).c_str()) > room && lines + 1 < maxLines) {
            std::size_t fit = std::string::npos;
            for (std::size_t blank = all.find(' ', start); blank != std::string::npos; blank = all.find(' ', blank + 1)) {
                if (TextWidthPercent(all.substr(start, blank - start).c_str()) > room) break;
                fit = blank;
            }
            if (fit != std::string::npos) end = fit;
            else {
                const std::size_t blank = all.find(' ', start);
                end = blank == std::string::npos ? all.size() : blank;
            }
        }
        starts[lines] = static_cast<int>(start);
        lengths[lines] = static_cast<int>(end - start);
        ++lines;
        start = end;
    }
    return lines;
}

void DrawTextEntryDialog() {
    SetBoardProjection();
    DrawColourBackdrop();
    DrawBoard(false);
    DrawVersionStrip();

    glPushMatrix();
    glTranslatef(0.0f, 0.0f, kPanelRaise);
    DrawShadedBox(0.0f, 1.0f, 8.0f, 7.0f, 0.1f);
    glPopMatrix();

    // Typing owns every key here, Enter and Esc included: the buttons are for the mouse.
    SetNextWidgetFocus(FocusSkip);
    if (DoRaisedButton(30.0f, 65.0f, 6, "OK", kPanelRaise)) DialogKey = 13;
    SetNextWidgetFocus(FocusSkip);
    if (DoRaisedButton(41.25f, 65.0f, 6, "Cancel", kPanelRaise)) DialogKey = 27;

    TextWidth design(kDesignTextWidth);
    SetTextSize(12);
    SetTextColor(1.0f, 0.0f, 0.0f);
    design.DrawCentred(kEntryCentre, 20.0f, EntryTitle, kPanelRoom);
    SetTextSize(8);
    SetTextColor(1.0f, 1.0f, 0.0f);
    design.DrawCentred(kEntryCentre, 40.0f, EntryPrompt, kPanelRoom);

    // Every key typed since the last frame, in order, then the key of a button clicked in this
    // one. Each is measured at size 3, where the length limit is defined.
    const uint8_t buttonKey = DialogKey;
    DialogKey = 0;
    bool open = true;
    for (uint8_t key = 0; open && NextEntryKey(key);) {
        SetTextSize(3);
        open = HandleEntryKey(key, WidthAtCurrentSize);
    }
    if (open) {
        SetTextSize(3);
        HandleEntryKey(buttonKey, WidthAtCurrentSize);
    }

    if (EntryTarget) {
        SetTextSize(8);
        if (EntryEdited)
            SetTextColor(0.3f, 1.0f, 0.5f);
        else
            SetTextColor(0.2f, 0.8f, 1.0f);
        const float width = design.Fit(EntryTarget, kPanelRoom - 6.0f);
        DrawTextAt(kEntryCentre - width * 0.5f, 50.0f, EntryTarget);
        DrawCaretAndBox(width);
        TrimLeadingBlanks(EntryTarget);
    }
}

void DrawMessageScreen() {
    SetBoardProjection();
    DrawColourBackdrop();
    SetTextColor(1.0f, 1.0f, 0.5f);
    SetTextSize(6);
    TextWidth plain(1.0f);
    plain.DrawCentred(50.0f, 30.0f, MessageLine1, kScreenRoom);
    SetTextSize(4);
    SetTextColor(0.5f, 1.0f, 1.0f);
    // A long line (a reminder with a long name, say) goes on as a second line, not off screen.
    int starts[2], lengths[2];
    const int lines = WrapLine(MessageLine2, kScreenRoom - 14.0f, 2, starts, lengths);
    for (int i = 0; i < lines; ++i) {
        const std::string part(MessageLine2 + starts[i], static_cast<std::size_t>(lengths[i]));
        plain.DrawCentred(50.0f, 40.0f - static_cast<float>(lines - 1) * 2.5f + 5.0f * static_cast<float>(i), part.c_str(),
                          kScreenRoom);
    }
    SetScreenProjection();
    const bool ok = DoButton(49.0f, 50.0f, 5, "OK");
    if (ok || DialogKey == 13 || FocusBackPressed())
        GoToScreen(OneMoreGame ? ScreenQuit : ReturnState);
    else
        DialogKey = 0;
}

std::string FindManual() {
    const std::string folder = ProgramFolder();
    if (folder.empty()) return "";
    // Installed: the program lives in <prefix>/lib/tessaran; in a build tree, beside the sources.
    const char* const candidates[] = {"../../share/doc/tessaran/README.md", "../share/doc/tessaran/README.md",
                                      "../README.md", "README.md"};
    for (const char* candidate : candidates) {
        const std::string path = JoinPath(folder, candidate);
        if (FileExists(path)) return path;
    }
    return "";
}

namespace {

// Shortens "/a/b/../c" to "/a/c" so the button shows a plain path.
std::string PlainPath(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& p : parts) out += "/" + p;
    return out.empty() ? "/" : out;
}

}  // namespace

void DrawAboutScreen() {
    SetBoardProjection();
    DrawColourBackdrop();

    glPushMatrix();
    glTranslatef(4.0f, 0.4f, 0.0f);
    const float pulse = 1.0f + 0.05f * std::sin(0.1f * ScreenTimer);
    glScalef(pulse, pulse, 1.0f);
    DrawTexturedQuad(-1.55f, 0.71f, 1.55f, -0.71f, 1.0f, 1.0f, TextureLogo, 3.0f);
    glPopMatrix();

    SetTextSize(6);
    SetTextColor(1.0f, 0.3f, 1.0f);
    DrawTextShadowed(19.0f, "Version " TESSARAN_VERSION "W");
    SetTextColor(0.0f, 1.0f, 1.0f);
    {
        TextWidth plain(1.0f);
        plain.Fit(kOwnershipLine1, 72.0f);
        DrawTextShadowed(26.0f, kOwnershipLine1);
        plain.Fit(kOwnershipLine2, 72.0f);
        DrawTextShadowed(33.0f, kOwnershipLine2);
    }

    SetTextSize(4);
    SetTextColor(1.0f, 1.0f, 1.0f);
    DrawTextShadowed(40.0f, "Tessaran uses the following components:");
    struct Credit {
        float y, x, r, g, b;
        const char* line;
    };
    static const Credit kCredits[] = {
        {44.0f, 20.0f, 0.3f, 1.0f, 0.2f, "~ OpenGL (Mesa) for graphics rendering"},
        {48.0f, 20.0f, 0.3f, 0.8f, 0.4f, "~ freeglut for the window, input and main loop"},
        {52.0f, 23.0f, 0.3f, 0.8f, 0.4f, "by Pawel W. Olszta and the freeglut developers"},
        {56.0f, 20.0f, 0.3f, 0.8f, 0.4f, "~ OpenAL Soft and libsndfile for sound effects"},
        {60.0f, 20.0f, 0.3f, 0.6f, 0.6f, "~ LFontRenderer (2026) by the Tessaran developers"},
        {64.0f, 20.0f, 0.3f, 0.4f, 0.8f, "~ Font \"Another\" from Quicksand Bold (SIL OFL 1.1)"},
        {68.0f, 20.0f, 0.3f, 0.2f, 1.0f, "~ GLib for settings, stb_image for pictures"},
    };
    for (const Credit& c : kCredits) {
        SetTextColor(c.r, c.g, c.b);
        DrawTextAt(c.x, c.y, c.line);
    }

    SetTextColor(1.0f, 1.0f, 1.0f);
    static const std::string manual = FindManual();
    if (manual.empty()) {
        // Nothing beside the program to open: say where the manual is instead of offering a button.
        DrawTextShadowed(76.0f, "The manual, README.md, comes with the game's source.");
    } else {
        DrawTextShadowed(76.0f, "For more information, please read the manual at");
        static const std::string shown = PlainPath(manual);
        SetScreenProjection();
        SetTextSize(4);
        if (DoButton(37.0f - TextWidthPercent(shown.c_str()) * 0.5f, 83.0f, 4, shown.c_str())) OpenWebPage(shown);
    }

    SetTextSize(6);
    SetNextWidgetFocus(FocusPreferred);  // Enter leaves; it does not open a browser unasked
    if (DoButton(37.0f - TextWidthPercent("OK") * 0.5f, 91.0f, 6, "OK") || FocusBackPressed()) GoToScreen(ScreenMain);

    ScreenTimer += FrameFactor;
    if (ScreenTimer > 100.0f) ScreenTimer = 0.0f;
}

}  // namespace tessaran
