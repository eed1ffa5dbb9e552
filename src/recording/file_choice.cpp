#include "recording/file_choice.h"

#include "recording/recording_file.h"

namespace orvane {

std::string FileTitle(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

void ShowSaveDialog(Dialogs& dialogs, ProgramState& state, const std::string& initialPath) {
  // The dialog asks before it replaces an existing file.
  const std::optional<std::string> chosen =
      dialogs.SaveFile({"Save As", kDataFileFilter, initialPath, "lms"});
  if (!chosen) {
    state.SaveAccepted = false;
    return;
  }
  state.SaveFileName = *chosen;
  state.SaveAccepted = !FileTitle(*chosen).empty();
}

}  // namespace orvane
