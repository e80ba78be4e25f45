// Working directory, fatal start-up errors and the end-of-process handler.
#include "shell/startup.h"

#include <cstdio>
#include <cstdlib>

#include "game/kept_game.h"
#include "platform/platform.h"
#include "profile/prefs.h"

namespace tessaran {

int32_t StartupError = 0;
std::string StartupErrorArgument;

void SetWorkingDirectory() {
    if (ProgramFolder().empty()) {
        StartupError = 2;
        return;
    }
    const std::string installed = InstalledDataFolder();
    const std::string folder = installed.empty() ? ProgramFolder() : installed;
    if (!ChangeDirectory(folder)) FatalMissingFile(folder);
}

[[noreturn]] void FatalMissingFile(const std::string& name) {
    StartupError = 1;
    StartupErrorArgument = name;
    std::exit(0);
}

std::string StartupErrorText(int32_t code, const std::string& argument) {
    std::string program = ProgramFileName();
    if (program.empty()) program = "tessaran";
    switch (code) {
    case 1:
        return "Error #1:  Tessaran was unable to open a required file: " + argument +
               ".\nThis file needs to be in the same directory as the game program, " + program +
               ".  You may need to move files around or reinstall the game.  Tessaran will now exit.";
    case 2:
        return "Error #2:  Tessaran was unable to determine its working directory.\nYou may need to move "
               "files around or reinstall the game.  Tessaran will now exit.";
    case 3:
        return "Error #3:  Tessaran was unable to set its working directory properly (trying for " + argument +
               ").\nYou may need to move files around or reinstall the game.  Tessaran will now exit.";
    default:
        return "";
    }
}

namespace {
bool HandlerArmed = false;
}

void ArmEndOfProcessHandler() {
    // Run from atexit rather than from a static destructor: registered now, after every
    // static object is built, it runs before any of them is destroyed, whatever the file order.
    static const bool registered = std::atexit(RunEndOfProcessHandler) == 0;
    HandlerArmed = registered;
}

void RunEndOfProcessHandler() {
    if (!HandlerArmed) return;
    HandlerArmed = false;
    SaveGameInPlay();  // a game still in play is kept: the window closed, a signal, "Finish Later"
    FinishPendingWrites();
    Prefs.Save();
    if (StartupError >= 1 && StartupError <= 3)
        ShowMessageBox("Tessaran Error", StartupErrorText(StartupError, StartupErrorArgument));
    if (!PendingSaveFailure().empty()) ShowMessageBox("Tessaran Error", PendingSaveFailure());
}

}  // namespace tessaran
