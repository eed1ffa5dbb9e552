// SPDX-License-Identifier: GPL-3.0-or-later
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

// Why the file at `path` is no file of this user's that the program may use ("a folder",
// "a symbolic link", "a file of another user (uid 65534)"), or empty when it is one or
// does not exist.
std::string WhyNotOwnFile(const std::string& path);

// Moves the file at `path` aside to PATH.refused (or PATH.refused-2, -3, ...), never
// replacing anything. Returns the new path, or empty with errno set.
std::string MoveAside(const std::string& path);

// Opens the working file at `path` with `flags` (O_NOFOLLOW and O_CLOEXEC added; with
// O_CREAT a missing file is made with mode 0600) as a regular file of this user. Whatever
// else has that name - another user's file, a link, a folder, a FIFO - is never used: it
// is moved aside (see MoveAside) and `notice` says so (also on stderr); with O_CREAT a new
// file takes its place. Returns the descriptor, or -1 with `error` set.
int OpenWorkingFile(const std::string& path, int flags, std::string& error, std::string& notice);

}  // namespace orvane
