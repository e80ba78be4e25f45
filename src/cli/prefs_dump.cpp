// prefs-dump FILE: every named field of a preferences file, one "name value" line each.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "platform/platform.h"
#include "profile/prefs.h"

namespace tessaran {

namespace {

void PrintText(const unsigned char* slot, std::size_t size) {
    std::putchar('"');
    for (std::size_t i = 0; i < size && slot[i]; ++i) {
        unsigned char c = slot[i];
        if (c == '"' || c == '\\')
            std::printf("\\%c", c);
        else if (c < 32 || c > 126)
            std::printf("\\x%02x", c);
        else
            std::putchar(c);
    }
    std::putchar('"');
}

int PrefsDump(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fputs("tessaran-cli: prefs-dump takes one FILE\n", stderr);
        return 2;
    }
    std::vector<uint8_t> bytes;
    std::string reason;
    if (!ReadFileStart(args[0], bytes, kPrefsSize, &reason)) {
        std::fprintf(stderr, "tessaran-cli: cannot read %s: %s\n", args[0].c_str(), reason.c_str());
        return 1;
    }
    // As the game loads it: defaults, then the file over the start of the record.
    PrefsRecord record;
    SetDefaults(record);
    OverlayPrefsBytes(record, bytes.data(), bytes.size());
    const auto* base = reinterpret_cast<const unsigned char*>(&record);
    for (int f = 0; f < kPrefsFieldCount; ++f) {
        const PrefsField& field = kPrefsFields[f];
        std::printf("%s", field.name);
        for (std::size_t at = field.offset; at < field.offset + field.width; at += field.slot) {
            std::putchar(' ');
            const unsigned char* p = base + at;
            if (field.type == 's') {
                PrintText(p, field.slot);
            } else if (field.type == 'u') {
                std::printf("%u", *p);
            } else if (field.type == 'f') {
                float v;
                std::memcpy(&v, p, 4);
                std::printf("%g", static_cast<double>(v));
            } else {
                int32_t v;
                std::memcpy(&v, p, 4);
                std::printf("%d", v);
            }
        }
        std::putchar('\n');
    }
    return 0;
}

const CliRegistration Registration("prefs-dump", "prefs-dump FILE      print every named field of a preferences file",
                                   PrefsDump);

}  // namespace
}  // namespace tessaran
