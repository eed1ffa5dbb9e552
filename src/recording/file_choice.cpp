// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/file_choice.h"

#include "recording/recording_file.h"

namespace orvane {

std::string FileTitle(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

const SaveFileKind kDataFileSave{kDataFileFilter, "lms", DatedDataFileName};
const SaveFileKind kListTextSave{"Text Files (*.txt)|*.txt|All Files (*.*)|*.*|", "txt",
                                 DatedListFileName};

void ShowSaveDialog(Dialogs& dialogs, ProgramState& state, UserFiles& files, const DateTime& now,
                    const std::string& initialPath, const SaveFileKind& kind) {
  const std::string proposed = files.ProposedPath(kind.datedName(now));
  std::string start = initialPath.empty() ? proposed : initialPath;
  for (;;) {
    // The dialog asks before it replaces an existing file.
    const std::optional<std::string> chosen =
        dialogs.SaveFile({"Save As", kind.filter, start, kind.extension});
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
    start = proposed;
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
