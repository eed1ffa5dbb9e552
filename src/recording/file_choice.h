#pragma once
// The file dialogs of the recording commands: the save dialog that picks the data file
// of a recording (also used by the real-time list to save its rows), and file titles.

#include <string>
#include <string_view>

#include "common/dialogs.h"
#include "common/program_state.h"

namespace orvane {

// The file name without its folder.
std::string FileTitle(std::string_view path);

// Shows the save dialog with the data file filter and the overwrite question. A chosen
// path goes to SaveFileName, and SaveAccepted tells whether it names a file. A cancelled
// dialog clears SaveAccepted and leaves SaveFileName as it was.
void ShowSaveDialog(Dialogs& dialogs, ProgramState& state, const std::string& initialPath);

}  // namespace orvane
