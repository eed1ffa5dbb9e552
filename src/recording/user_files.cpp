// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/user_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "common/file_io.h"
#include "common/working_folder.h"
#include "recording/unfinished_recording.h"

namespace orvane {

namespace fs = std::filesystem;

namespace {

bool IsScratchName(const std::string& name) {
  for (const char* fixed :
       {kDialogTempName, kRecordingTempName, kRecordingMarkName, kFolderLockName}) {
    if (name == fixed) return true;
  }
  const std::string prefix = kCliScratchPrefix;
  return name.size() > prefix.size() + 4 && name.compare(0, prefix.size(), prefix) == 0 &&
         name.compare(name.size() - 4, 4, ".tmp") == 0;
}

// Where writing to `path` lands: every link followed, also a last one that points at a
// file that does not exist yet, and the folders made canonical.
fs::path WhereWritingLands(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::absolute(path, ec);
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
    const fs::path to = fs::read_symlink(p, ec);
    if (ec) break;
    p = to.is_absolute() ? to : p.parent_path() / to;
  }
  const fs::path canonical = fs::weakly_canonical(p, ec);
  return ec ? p.lexically_normal() : canonical;
}

fs::path CanonicalFolder(const std::string& folder) {
  std::error_code ec;
  const fs::path canonical = fs::weakly_canonical(fs::absolute(folder, ec), ec);
  return ec ? fs::path(folder).lexically_normal() : canonical;
}

// True when `inner` is `outer` or lies inside it (both canonical).
bool WithinFolder(const fs::path& inner, const fs::path& outer) {
  auto o = outer.begin();
  for (auto i = inner.begin(); o != outer.end(); ++i, ++o) {
    if (o->empty()) return true;  // a trailing separator
    if (i == inner.end() || *i != *o) return false;
  }
  return true;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string TwoDigits(int v) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", v);
  return text;
}

// Creates `path` only when no file of that name exists, and writes `bytes` whole; a
// file that cannot be written whole is removed again. errno tells why on false.
bool WriteNewFile(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  int saved = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(path.c_str());
    errno = saved;
  }
  return ok;
}

}  // namespace

bool IsScratchFile(const std::string& path, const std::string& workingFolder) {
  const fs::path target = WhereWritingLands(path);
  const fs::path folder = CanonicalFolder(workingFolder);
  if (target.parent_path() == folder && IsScratchName(target.filename().string())) return true;
  // Another name of a scratch file.
  struct stat chosen {};
  if (::stat(target.c_str(), &chosen) != 0) return false;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    struct stat scratch {};
    if (IsScratchName(entry.path().filename().string()) &&
        ::lstat(entry.path().c_str(), &scratch) == 0 && SameFile(scratch, chosen)) {
      return true;
    }
  }
  return false;
}

std::string DatedDataFileName(const DateTime& now) {
  return "Orvane " + std::to_string(now.year) + "-" + TwoDigits(now.month) + "-" +
         TwoDigits(now.day) + " " + TwoDigits(now.hour) + "-" + TwoDigits(now.minute) + ".lms";
}

std::string DatedListFileName(const DateTime& now) {
  return "Orvane list " + std::to_string(now.year) + "-" + TwoDigits(now.month) + "-" +
         TwoDigits(now.day) + " " + TwoDigits(now.hour) + "-" + TwoDigits(now.minute) + ".txt";
}

std::string DownloadFileName(const std::string& stampText) {
  bool digits = stampText.size() == 14;
  for (char c : stampText) digits = digits && c >= '0' && c <= '9';
  if (!digits) return "Orvane set.txt";
  const auto at = [&stampText](std::size_t from, std::size_t n) {
    return stampText.substr(from, n);
  };
  return "Orvane set " + at(0, 4) + "-" + at(4, 2) + "-" + at(6, 2) + " " + at(8, 2) + "-" +
         at(10, 2) + "-" + at(12, 2) + ".txt";
}

UserFiles::UserFiles(FolderMemory& memory, std::string documentsFolder, std::string homeFolder,
                     std::string workingFolder)
    : memory_(memory),
      documents_(std::move(documentsFolder)),
      home_(std::move(homeFolder)),
      workingFolder_(std::move(workingFolder)) {}

std::string UserFiles::StartFolder() const {
  const fs::path working = CanonicalFolder(workingFolder_);
  for (const std::string& candidate : {memory_.LastFolder(), documents_, home_}) {
    std::error_code ec;
    if (candidate.empty() || !fs::is_directory(candidate, ec)) continue;
    if (!WithinFolder(CanonicalFolder(candidate), working)) return candidate;
  }
  // Even home lies in the working folder: its parent, which does not.
  return working.has_parent_path() ? working.parent_path().string() : std::string("/");
}

std::string UserFiles::ProposedSavePath(const DateTime& now) const {
  return ProposedPath(DatedDataFileName(now));
}

std::string UserFiles::ProposedPath(const std::string& fileName) const {
  return (fs::path(StartFolder()) / fileName).string();
}

void UserFiles::Remember(const std::string& chosenPath) {
  const fs::path folder = fs::path(chosenPath).parent_path();
  if (!folder.empty()) memory_.RememberFolder(folder.string());
}

bool UserFiles::IsScratchFile(const std::string& path) const {
  return orvane::IsScratchFile(path, workingFolder_);
}

std::optional<std::string> UserFiles::SaveDownload(const std::string& stampText,
                                                   const std::string& text,
                                                   std::string& error) const {
  const fs::path name = DownloadFileName(stampText);
  const fs::path folder = StartFolder();
  const std::string bytes = text + "\r\n";
  for (int serial = 1; serial < 10000; ++serial) {
    const std::string suffix = serial == 1 ? "" : " (" + std::to_string(serial) + ")";
    const std::string path =
        (folder / (name.stem().string() + suffix + name.extension().string())).string();
    if (WriteNewFile(path, bytes)) return path;
    if (errno != EEXIST) {
      error = FileErrorReason("cannot write", path);
      return std::nullopt;
    }
  }
  error = "no free file name for " + (folder / name).string();
  return std::nullopt;
}

}  // namespace orvane
