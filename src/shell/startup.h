// Process start and end: the working directory, fatal start-up errors and the exit handler.
#pragma once

#include <cstdint>
#include <string>

namespace tessaran {

// 0 none; 1 a required file or folder cannot be used; 2 the working directory is unknown;
// 3 the working directory cannot be set.
extern int32_t StartupError;
extern std::string StartupErrorArgument;  // the file or folder named by error 1

// Makes the program's folder the current directory; records error 2 when it is unknown.
void SetWorkingDirectory();
// Records error 1 for `name` and ends the process with status 0 (the exit handler reports it).
[[noreturn]] void FatalMissingFile(const std::string& name);
// The text of a start-up error, as the player sees it.
std::string StartupErrorText(int32_t code, const std::string& argument);
// Save, then report a pending start-up error or a failed save. Runs once at process end, in the
// game only: arming registers it with atexit. Tools and tests that link the record never arm
// it, so they never write a preferences file by accident.
void RunEndOfProcessHandler();
void ArmEndOfProcessHandler();

}  // namespace tessaran
