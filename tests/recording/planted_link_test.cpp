// No file of the working folder is written through a symbolic link planted in its
// place, whether the link points at a file of the user's or at nothing yet.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

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
  for (const Case& c : cases) {
    for (const bool dangling : {false, true}) {
      TempFolder folder;
      const std::string victim = folder.File("victim");
      if (!dangling) WriteBytes(victim, "the user's file");
      ASSERT_EQ(::symlink(victim.c_str(), folder.File(c.name).c_str()), 0);
      EXPECT_FALSE(c.write(folder.Path())) << c.name << (dangling ? " (dangling)" : "");
      if (dangling) {
        EXPECT_FALSE(std::filesystem::exists(victim)) << c.name;
      } else {
        EXPECT_EQ(ReadBytes(victim), "the user's file") << c.name;
      }
    }
  }
}

}  // namespace
}  // namespace orvane
