// Uploads decoded pictures under their fixed names; all checking happened in DecodeBitmap.
#include "ui/textures.h"

#include <GL/gl.h>

#include <string>

#include "platform/platform.h"

namespace tessaran {

TextureSlot TextureSlots[MaxTextures];
int TextureSlotCount = 0;
TextureImage PieceSheet;
PieceSheetSource PieceSheetOrigin = PieceSheetSource::None;

namespace {

void SetNearestRepeat() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

// Rows are padded to 4 bytes in both images, which is what alignment 4 expects.
void Upload(uint32_t number, const TextureImage& image) {
    const BitmapImage& p = image.picture;
    if (p.Empty()) return;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    BindTexture(number);
    SetNearestRepeat();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, p.width, p.height, 0, GL_BGR, GL_UNSIGNED_BYTE, p.pixels.data());
    if (image.mask.empty()) return;
    BindTexture(MaskName(number));
    SetNearestRepeat();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, p.width, p.height, 0, GL_RGB, GL_UNSIGNED_BYTE, image.mask.data());
}

}  // namespace

void BindTexture(uint32_t name) { glBindTexture(GL_TEXTURE_2D, name); }

void LoadBuiltInTextures() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    for (const BuiltInPicture& picture : kBuiltInPictures) LoadBitmapTexture(picture.number, picture.masked);
}

void LoadBitmapTexture(uint16_t number, bool mask) {
    if (TextureSlotCount >= MaxTextures) {
        ShowMessageBox("ERROR!", "Trying to load too many textures!");
        return;
    }
    TextureSlot& slot = TextureSlots[TextureSlotCount];
    slot.number = number;
    std::string reason;
    if (!LoadBitmapResource(number, mask, slot.image, &reason))
        ShowMessageBox("ERROR!", "Can't load picture " + std::to_string(number) + ": " + reason + ".");
    else
        Upload(number, slot.image);
    ++TextureSlotCount;
}

void LoadPieceSheet() {
    std::string reason;
    PieceSheetOrigin = ReadPieceSheet(PieceSheet, &reason);
    if (PieceSheetOrigin == PieceSheetSource::None)
        ShowMessageBox("ERROR!", "Can't load picture 138: " + reason + ".");
    Upload(TexturePieceSheet, PieceSheet);
}

void ReleaseTextureBitmaps() {
    for (TextureSlot& slot : TextureSlots) {
        slot.image.picture = BitmapImage{};
    }
    PieceSheet.picture = BitmapImage{};
}

}  // namespace tessaran
