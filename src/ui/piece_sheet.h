// Which picture the nine characters come from: the built-in sheet or the player's own file.
// GL-free, so every bad file a player can supply is tested headless.
#pragma once

#include <string>

#include "ui/bitmap.h"

namespace tessaran {

inline constexpr int32_t kCustomSheetChoice = 99;       // graphicsChoice naming graphicsFile
inline constexpr int32_t kNumberedSheetBase = 600;      // other choices name picture 600 + n
extern const char* const CustomSheetFailedLine1;        // "Couldn't load specified Vorla graphics file."
extern const char* const CustomSheetFailedLine2;        // "The file may be missing.  Reverting to ..."

enum class PieceSheetSource { None, BuiltIn, CustomFile, Numbered };

// Decodes the sheet the preferences ask for, with its mask, into `out`. A custom file that cannot
// be used opens the message screen over the current screen and falls back to the built-in
// sheet; a numbered sheet the program does not hold falls back quietly. Returns where the
// sheet came from; None only if even the built-in sheet is missing (`out` is then empty).
PieceSheetSource ReadPieceSheet(TextureImage& out, std::string* reason = nullptr);

}  // namespace tessaran
