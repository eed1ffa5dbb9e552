#include "recording/file_choice.h"

#include "recording/recording_file.h"

namespace orvane {

std::string FileTitle(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

void ShowSaveDialog(Dialogs& dialogs, ProgramState& state, UserFiles& files, const DateTime& now,
                    const std::string& initialPath) {
  std::string start = initialPath.empty() ? files.ProposedSavePath(now) : initialPath;
  for (;;) {
    // The dialog asks before it replaces an existing file.
    const std::optional<std::string> chosen =
        dialogs.SaveFile({"Save As", kDataFileFilter, start, "lms"});
    if (!chosen) {
      state.SaveAccepted = false;
      return;
    }
    if (FileTitle(*chosen).empty() || !files.IsScratchFile(*chosen)) {
      state.SaveFileName = *chosen;
      state.SaveAccepted = !FileTitle(*chosen).empty();
      if (state.SaveAccepted) files.Remember(*chosen);
      return;
    }
    dialogs.Message(kScratchTargetText, MessageIcon::Critical, MessageButtons::Ok, "");
    start = files.ProposedSavePath(now);
  }
}

std::optional<std::string> ShowOpenDialog(Dialogs& dialogs, UserFiles& files) {
  std::optional<std::string> path =
      dialogs.OpenFile({"Open File to Read", kDataFileFilter, files.StartFolder(), "lms"});
  if (!path || path->empty()) return std::nullopt;
  files.Remember(*path);
  return path;
}

}  // namespace orvane
