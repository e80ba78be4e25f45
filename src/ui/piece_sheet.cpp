// Chooses and decodes the piece sheet; a bad custom file never gets past DecodeBitmap.
#include "ui/piece_sheet.h"

#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "profile/prefs.h"
#include "shell/dialog_state.h"
#include "shell/screens.h"

namespace tessaran {

const char* const CustomSheetFailedLine1 = "Couldn't load specified Vorla graphics file.";
const char* const CustomSheetFailedLine2 = "The file may be missing.  Reverting to regular Vorla graphics.";

namespace {

bool ReadCustomSheet(TextureImage& out, std::string* reason) {
    // The slot comes from the preferences file; it need not hold a terminating NUL.
    const std::string path(Prefs.graphicsFile, strnlen(Prefs.graphicsFile, sizeof Prefs.graphicsFile));
    if (path.empty()) {
        if (reason) *reason = "no file is named";
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, reason)) return false;
    return DecodeTextureImage(bytes, true, out, reason);
}

}  // namespace

PieceSheetSource ReadPieceSheet(TextureImage& out, std::string* reason) {
    out = TextureImage{};
    if (Prefs.useCustomGraphics) {
        if (Prefs.graphicsChoice == kCustomSheetChoice) {
            if (ReadCustomSheet(out, reason)) return PieceSheetSource::CustomFile;
            ShowMessageScreen(CustomSheetFailedLine1, CustomSheetFailedLine2, ScreenState);
        } else if (Prefs.graphicsChoice >= 0 && Prefs.graphicsChoice < 1000 &&
                   LoadBitmapResource(static_cast<uint32_t>(kNumberedSheetBase + Prefs.graphicsChoice), true,
                                      out, reason)) {
            return PieceSheetSource::Numbered;
        }
    }
    if (LoadBitmapResource(TexturePieceSheet, true, out, reason)) return PieceSheetSource::BuiltIn;
    return PieceSheetSource::None;
}

}  // namespace tessaran
