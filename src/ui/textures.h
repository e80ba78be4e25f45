// The picture textures: built-in bitmaps and the piece sheet uploaded once at start-up under
// their fixed names (resource number; mask = number + 1000). Needs the GL context.
#pragma once

#include <cstdint>

#include "ui/bitmap.h"
#include "ui/piece_sheet.h"

namespace tessaran {

inline constexpr int MaxTextures = 40;

struct TextureSlot {
    uint16_t number = 0;
    TextureImage image;  // kept for the run, as the loaded bitmap was
};
extern TextureSlot TextureSlots[MaxTextures];  // filled in load order
extern int TextureSlotCount;
extern TextureImage PieceSheet;                // outside the slots; textures 138 and 1138
extern PieceSheetSource PieceSheetOrigin;      // where the sheet in use came from

// Unpack alignment 4, then every built-in picture in its fixed order.
void LoadBuiltInTextures();
// Loads resource `number` into the next slot and makes texture [number] and, if asked and the
// mask memory was had, texture [number + 1000]. A 41st picture is refused with a message box.
void LoadBitmapTexture(uint16_t number, bool mask);
// Textures 138 and 1138 from the sheet the preferences choose (see ReadPieceSheet).
void LoadPieceSheet();
void BindTexture(uint32_t name);
// The one-pass texture of `picture` (see kOnePassNameOffset), or 0 where there is none. Drawn
// with glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA) it gives exactly what the mask pass and the
// adding pass give: the mask is 0 or 1, so the frame is kept whole or cleared either way.
uint32_t OnePassName(uint32_t picture);
// Frees the kept bitmaps of the slots and of the piece sheet; the textures stay.
void ReleaseTextureBitmaps();

}  // namespace tessaran
