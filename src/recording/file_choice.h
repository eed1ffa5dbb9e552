// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file dialogs of the recording commands: the save dialog that picks the data file
// of a recording (also used by the real-time list to save its rows), the open dialog,
// and file titles.

#include <optional>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/program_state.h"
#include "recording/user_files.h"

namespace orvane {

// The message that refuses a scratch file as the target of a save.
inline constexpr const char* kScratchTargetText =
    "This file is one of Orvane's own working files and would be overwritten.\r\n"
    "Please choose another name or folder.";

// The file name without its folder.
std::string FileTitle(std::string_view path);

// What a save dialog saves: its filter, the default extension and the dated name it
// proposes.
struct SaveFileKind {
  const char* filter;
  const char* extension;
  std::string (*datedName)(const DateTime& now);
};
// A data file of a recording; the text of a real-time list.
extern const SaveFileKind kDataFileSave;
extern const SaveFileKind kListTextSave;

// Shows the save dialog with the kind's filter and the overwrite question, starting at
// `initialPath`, or when that is empty at a dated name in the folder used last. A chosen
// path goes to SaveFileName, and SaveAccepted tells whether it names a file; its folder
// is remembered. A scratch file of the program is refused with a message and the dialog
// asks again. A cancelled dialog clears SaveAccepted and leaves SaveFileName as it was.
void ShowSaveDialog(Dialogs& dialogs, ProgramState& state, UserFiles& files, const DateTime& now,
                    const std::string& initialPath = {}, const SaveFileKind& kind = kDataFileSave);

// Shows the open dialog with the data file filter in the folder used last; the chosen
// file's folder is remembered. Nothing when cancelled or empty.
std::optional<std::string> ShowOpenDialog(Dialogs& dialogs, UserFiles& files);

}  // namespace orvane
