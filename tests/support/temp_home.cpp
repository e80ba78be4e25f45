// Private homes and recorded message boxes for tests.
#include "support/temp_home.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/platform.h"
#include "profile/prefs.h"

namespace tessaran::test {

std::vector<RecordedBox>& RecordedBoxes() {
    static std::vector<RecordedBox> boxes;
    return boxes;
}

namespace {
void Record(std::string_view caption, std::string_view text) {
    RecordedBoxes().push_back({std::string(caption), std::string(text)});
}
}  // namespace

std::string MakeTempFolder(const std::string& stem) {
    std::string pattern = (std::filesystem::temp_directory_path() / (stem + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
    return pattern;
}

void RemoveTree(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> RecordBytes(const PrefsRecord& record) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    return {bytes, bytes + sizeof record};
}

std::optional<PrefsRecord> ReadRecord(const std::string& path) {
    const std::string bytes = ReadText(path);
    if (bytes.size() != sizeof(PrefsRecord)) return std::nullopt;
    PrefsRecord record;
    std::memcpy(&record, bytes.data(), sizeof record);
    return record;
}

std::string RunCapture(const std::string& command, int* status) {
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int raw = pipe ? pclose(pipe) : -1;
    if (status) *status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}

void TempHomeTest::SetUp() {
    home = MakeTempFolder("tessaran-home");
    config = home + "/config";
    data = home + "/data";
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    oldCwd = CurrentDirectory();
    RecordedBoxes().clear();
    SetMessageBoxRecorder(Record);
    SetDefaults(Prefs);
    PrefPath.clear();
}


void TempHomeTest::TearDown() {
    ChangeDirectory(oldCwd);
    SetMessageBoxRecorder(nullptr);
    RemoveTree(home);
}

}  // namespace tessaran::test
