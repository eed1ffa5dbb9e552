// SPDX-License-Identifier: GPL-3.0-or-later
// No file of the working folder is written through a symbolic link planted in its
// place, whether the link points at a file of the user's or at nothing yet.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/folder_lock.h"
#include "common/working_folder.h"
#include "recording/recording_file.h"
#include "recording/unfinished_recording.h"
#include "temp_folder.h"

namespace orvane {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// Nothing but a regular file of the user's own is used in the working folder: a link (to
// a file of the user's or to nothing), a FIFO, a folder or another user's file (when the
// test runs as root, which can give a file away) under the name of one of its files is
// moved aside to NAME.refused, never written. The lock then refuses the folder; the other
// writers make a new file of their own.
TEST(PlantedLink, NoWriterOfTheWorkingFolderFollowsIt) {
  using Writer = std::function<bool(const std::string& folder)>;
  struct Case {
    const char* name;  // the file the writer writes
    Writer write;
  } cases[] = {
      {kDialogTempName,
       [](const std::string& f) { return EmptyFile(InWorkingFolder(f, kDialogTempName)); }},
      {kFolderLockName,
       [](const std::string& f) {
         FolderLock lock;
         return lock.Take(f) == FolderLock::Result::Taken;
       }},
      {kRecordingTempName,
       [](const std::string& f) {
         RecordingFile file;
         std::string error;
         return BeginRecordingFile(file, InWorkingFolder(f, kRecordingTempName), true, "", error);
       }},
      {kRecordingMarkName,
       [](const std::string& f) {
         std::string error;
         return MarkRecordingRunning(f, "/home/user/run.lms", error);
       }},
  };
  enum class Kind { Link, DanglingLink, Fifo, Folder, OtherUsersFile };
  std::vector<Kind> kinds = {Kind::Link, Kind::DanglingLink, Kind::Fifo, Kind::Folder};
  if (::geteuid() == 0) kinds.push_back(Kind::OtherUsersFile);
  for (const Case& c : cases) {
    for (const Kind kind : kinds) {
      SCOPED_TRACE(std::string(c.name) + " planted as kind " + std::to_string(int(kind)));
      TempFolder folder;
      const std::string victim = folder.File("victim");
      const std::string planted = folder.File(c.name);
      if (kind != Kind::DanglingLink) WriteBytes(victim, "the user's file");
      switch (kind) {
        case Kind::Link:
        case Kind::DanglingLink:
          ASSERT_EQ(::symlink(victim.c_str(), planted.c_str()), 0);
          break;
        case Kind::Fifo:
          ASSERT_EQ(::mkfifo(planted.c_str(), 0666), 0);
          break;
        case Kind::Folder:
          ASSERT_EQ(::mkdir(planted.c_str(), 0777), 0);
          break;
        case Kind::OtherUsersFile:
          WriteBytes(planted, "theirs");
          ASSERT_EQ(::chown(planted.c_str(), 65534, 65534), 0);
          break;
      }
      const bool isLock = std::string(c.name) == kFolderLockName;
      EXPECT_EQ(c.write(folder.Path()), !isLock);
      if (kind == Kind::DanglingLink) {
        EXPECT_FALSE(std::filesystem::exists(victim));
      } else {
        EXPECT_EQ(ReadBytes(victim), "the user's file");
      }
      const std::string aside = planted + ".refused";
      EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(aside)));
      if (kind == Kind::OtherUsersFile) {
        EXPECT_EQ(ReadBytes(aside), "theirs");
      }
      struct stat st {};
      if (isLock) {
        EXPECT_NE(::lstat(planted.c_str(), &st), 0);
      } else {
        ASSERT_EQ(::lstat(planted.c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(st.st_uid, ::geteuid());
      }
    }
  }
}

}  // namespace
}  // namespace orvane
