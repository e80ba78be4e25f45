// Uploads decoded pictures under their fixed names; all checking happened in DecodeBitmap.
#include "ui/textures.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

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

std::vector<uint32_t> OnePassPictures;

// The picture's colours with the opposite of the mask as alpha; false when the sizes differ.
bool UploadOnePass(uint32_t number, const BitmapImage& p, const std::vector<uint8_t>& mask) {
    std::erase(OnePassPictures, number);
    if (p.Empty() || mask.size() != p.pixels.size()) return false;
    std::vector<uint8_t> rgba(static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height) * 4);
    uint8_t* out = rgba.data();
    for (int32_t y = 0; y < p.height; ++y) {
        for (int32_t x = 0; x < p.width; ++x, out += 4) {
            const uint8_t* bgr = p.Pixel(x, y);
            out[0] = bgr[2];
            out[1] = bgr[1];
            out[2] = bgr[0];
            out[3] = static_cast<uint8_t>(255 - mask[static_cast<std::size_t>(bgr - p.pixels.data())]);
        }
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    BindTexture(number + kOnePassNameOffset);
    SetNearestRepeat();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, p.width, p.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    OnePassPictures.push_back(number);
    return true;
}

const BitmapImage* SlotPicture(uint32_t number) {
    for (int i = 0; i < TextureSlotCount; ++i)
        if (TextureSlots[i].number == number) return &TextureSlots[i].image.picture;
    return nullptr;
}

// The dimmed sheets are drawn through the mask of their bright sheets.
void UploadDimOnePass(uint32_t dim, const std::vector<uint8_t>& brightMask) {
    const BitmapImage* picture = SlotPicture(dim);
    if (picture) UploadOnePass(dim, *picture, brightMask);
}

const std::vector<uint8_t>* SlotMask(uint32_t number) {
    for (int i = 0; i < TextureSlotCount; ++i)
        if (TextureSlots[i].number == number) return &TextureSlots[i].image.mask;
    return nullptr;
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
    UploadOnePass(number, p, image.mask);
}

}  // namespace

void BindTexture(uint32_t name) { glBindTexture(GL_TEXTURE_2D, name); }

uint32_t OnePassName(uint32_t picture) {
    return std::find(OnePassPictures.begin(), OnePassPictures.end(), picture) != OnePassPictures.end()
               ? picture + kOnePassNameOffset
               : 0;
}

void LoadBuiltInTextures() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    for (const BuiltInPicture& picture : kBuiltInPictures) LoadBitmapTexture(picture.number, picture.masked);
    if (const std::vector<uint8_t>* mask = SlotMask(TextureDigits)) UploadDimOnePass(TextureDimDigits, *mask);
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
    UploadDimOnePass(TextureDimSheet, PieceSheet.mask);
}

void ReleaseTextureBitmaps() {
    for (TextureSlot& slot : TextureSlots) {
        slot.image.picture = BitmapImage{};
    }
    PieceSheet.picture = BitmapImage{};
}

}  // namespace tessaran
