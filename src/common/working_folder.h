#pragma once
// The working folder of the scratch files (Orvane.tmp, LightMeterS.tmp):
// $ORVANE_TEMP_DIR when set, else $XDG_STATE_HOME/orvane (default ~/.local/state/orvane),
// created with mode 0700 so no other user can read a recording or plant a link there.

#include <string>

namespace orvane {

inline constexpr const char* kDialogTempName = "Orvane.tmp";
inline constexpr const char* kRecordingTempName = "LightMeterS.tmp";
// The lock file that makes one running panel the owner of the folder.
inline constexpr const char* kFolderLockName = "orvane.lock";
// The local socket on which the owner of the folder takes the command line of a second start.
inline constexpr const char* kHandOverSocketName = "orvane.socket";
// orvane-cli record keeps its records in a scratch file of its own: this prefix, its
// process id (and a serial while that name is taken), ".tmp".
inline constexpr const char* kCliScratchPrefix = "LightMeterS-cli-";

// The folder's path (without a trailing slash), whether or not it could be created.
std::string WorkingFolderPath();

// Creates the folder (and its parents) with mode 0700. Returns false when it is missing
// and cannot be created, or exists but is not a folder.
bool EnsureWorkingFolder(const std::string& path);

// Creates `path` empty (or empties it). Returns false when it cannot be written.
bool EmptyFile(const std::string& path);

// The folder joined with a file name.
std::string InWorkingFolder(const std::string& folder, const char* name);

}  // namespace orvane
