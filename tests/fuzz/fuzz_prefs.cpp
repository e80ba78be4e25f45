// Fuzzes loading a preferences file: any bytes must load into a record that is safe to use.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "profile/prefs.h"

using namespace tessaran;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PrefsRecord record;
    SetDefaults(record);
    OverlayPrefsBytes(record, data, size);
    if (record.windowWidth < 400) {
        record.windowWidth = 400;
        record.windowHeight = 300;
    }
    RepairPrefs(record);
    // What the rest of the game relies on after loading.
    if (record.difficulty < 0 || record.difficulty > 4) std::abort();
    if (record.currentPlayer < 0 || record.currentPlayer > kPlayerCount) std::abort();
    if (record.pieceStyle < 0 || record.pieceStyle > 2) std::abort();
    if (record.soundVolume < 0 || record.soundVolume > 100) std::abort();
    if (record.windowWidth < 400 || record.windowHeight < 300) std::abort();
    for (auto& table : record.hsName)
        for (auto& name : table)
            if (std::strlen(name) >= kNameSlot) std::abort();
    for (auto& name : record.playerName)
        if (std::strlen(name) >= kNameSlot) std::abort();
    if (std::strlen(record.lastName) >= kNameSlot || std::strlen(record.graphicsFile) >= kGraphicsFileSlot)
        std::abort();
    return 0;
}
