// Fuzzes the command line's grid reader: every line is parsed, and a parsed grid is classified
// by the search with a small step budget, as `tessaran-cli status` would.
#include <cstdint>
#include <string>

#include "solver/grid.h"
#include "solver/search.h"

using namespace tessaran;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        ValueGrid grid{};
        if (ParseGrid(line, grid)) {
            if (!GivensConflict(grid)) SearchGrid(grid, false, 20000);
        }
        start = end + 1;
    }
    return 0;
}
