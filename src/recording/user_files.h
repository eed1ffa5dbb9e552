// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the files the user keeps go. They never live in the working folder: the save
// and open dialogs start in the folder used last (remembered between runs), else the
// documents folder, else the home folder; a save proposes a dated name; a chosen target
// that is one of the program's scratch files is refused; a downloaded record set gets a
// name of its own that never replaces an earlier download.

#include <optional>
#include <string>

#include "common/clock.h"

namespace orvane {

// The folder used last, kept between runs (the windows keep it in the user's settings).
class FolderMemory {
 public:
  virtual ~FolderMemory() = default;
  virtual std::string LastFolder() const = 0;
  virtual void RememberFolder(const std::string& folder) = 0;
};

// Kept for this run only: for headless runs and tests.
class RunFolderMemory final : public FolderMemory {
 public:
  std::string LastFolder() const override { return folder_; }
  void RememberFolder(const std::string& folder) override { folder_ = folder; }

 private:
  std::string folder_;
};

// True when `path` is, or would write into, one of the program's scratch files in
// `workingFolder`: links are followed (also one that points nowhere yet), and another
// name of the same file (a hard link) counts too.
bool IsScratchFile(const std::string& path, const std::string& workingFolder);

// "Orvane 2026-12-08 14-05.lms"
std::string DatedDataFileName(const DateTime& now);
// "Orvane list 2026-12-08 14-05.txt": a real-time list saved as text.
std::string DatedListFileName(const DateTime& now);

// "Orvane set 2014-04-14 12-34-56.txt" for the set whose stamp text is 20140414123456.
std::string DownloadFileName(const std::string& stampText);

class UserFiles {
 public:
  UserFiles(FolderMemory& memory, std::string documentsFolder, std::string homeFolder,
            std::string workingFolder);

  // The folder a file dialog starts in; never the working folder or one inside it.
  std::string StartFolder() const;
  // The save dialog's proposal: the dated name in the start folder.
  std::string ProposedSavePath(const DateTime& now) const;
  // A file of that name in the start folder.
  std::string ProposedPath(const std::string& fileName) const;
  // Remembers the folder of a file the user chose.
  void Remember(const std::string& chosenPath);
  bool IsScratchFile(const std::string& path) const;
  const std::string& WorkingFolder() const { return workingFolder_; }

  // Writes a downloaded record set (its text and CR LF) to a new file in the start
  // folder, named after its stamp; " (2)", " (3)" … is added while the name is taken.
  // The path written, or nothing with `error` set (no partial file is left).
  std::optional<std::string> SaveDownload(const std::string& stampText, const std::string& text,
                                          std::string& error) const;

 private:
  FolderMemory& memory_;
  std::string documents_;
  std::string home_;
  std::string workingFolder_;
};

}  // namespace orvane
