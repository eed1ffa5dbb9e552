// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/working_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orvane {
namespace {

namespace fs = std::filesystem;

fs::path Fresh(const char* name) {
  const fs::path p = fs::temp_directory_path() / (std::string(name) + std::to_string(getpid()));
  fs::remove_all(p);
  return p;
}

TEST(WorkingFolder, ChosenFromTheEnvironment) {
  struct Case {
    const char* tempDir;
    const char* stateHome;
    const char* home;
    std::string expected;
  };
  for (const Case& c : {Case{"/x/tmp", "/y/state", "/home/u", "/x/tmp"},
                        Case{nullptr, "/y/state", "/home/u", "/y/state/orvane"},
                        Case{nullptr, "relative", "/home/u", "/home/u/.local/state/orvane"},
                        Case{nullptr, nullptr, "/home/u", "/home/u/.local/state/orvane"}}) {
    auto set = [](const char* var, const char* value) {
      value ? setenv(var, value, 1) : unsetenv(var);
    };
    set("ORVANE_TEMP_DIR", c.tempDir);
    set("XDG_STATE_HOME", c.stateHome);
    set("HOME", c.home);
    EXPECT_EQ(WorkingFolderPath(), c.expected);
  }
  unsetenv("ORVANE_TEMP_DIR");
}

TEST(WorkingFolder, CreatedPrivateWithItsParents) {
  const fs::path root = Fresh("orvane-wf-");
  const fs::path dir = root / "a" / "b";
  ASSERT_TRUE(EnsureWorkingFolder(dir.string()));
  EXPECT_EQ(fs::status(dir).permissions() & fs::perms::all, fs::perms::owner_all);
  fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
  ASSERT_TRUE(EnsureWorkingFolder(dir.string()));
  EXPECT_EQ(fs::status(dir).permissions() & fs::perms::all, fs::perms::owner_all);
  fs::remove_all(root);
}

TEST(WorkingFolder, RefusesAFileOrALinkInItsPlace) {
  const fs::path root = Fresh("orvane-wf-bad-");
  fs::create_directories(root);
  std::ofstream(root / "file") << "x";
  fs::create_directory_symlink(root, root / "link");
  EXPECT_FALSE(EnsureWorkingFolder((root / "file").string()));
  EXPECT_FALSE(EnsureWorkingFolder((root / "link").string()));
  fs::remove_all(root);
}

TEST(WorkingFolder, EmptyFileTruncatesButNeverFollowsALink) {
  const fs::path root = Fresh("orvane-wf-empty-");
  fs::create_directories(root);
  const fs::path target = root / "victim";
  std::ofstream(target) << "precious";
  fs::create_symlink(target, root / "Orvane.tmp");
  // The link is moved aside, never followed: the file emptied is a new one.
  EXPECT_TRUE(EmptyFile((root / "Orvane.tmp").string()));
  EXPECT_EQ(fs::file_size(target), 8u);
  EXPECT_TRUE(fs::is_symlink(root / "Orvane.tmp.refused"));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(root / "Orvane.tmp")));
  std::ofstream(root / "old") << "data";
  EXPECT_TRUE(EmptyFile((root / "old").string()));
  EXPECT_EQ(fs::file_size(root / "old"), 0u);
  // A FIFO there (no reader) or a folder is moved aside at once, never waited on.
  ASSERT_EQ(mkfifo((root / "fifo").c_str(), 0600), 0);
  EXPECT_TRUE(EmptyFile((root / "fifo").string()));
  EXPECT_TRUE(fs::is_fifo(root / "fifo.refused"));
  fs::create_directory(root / "dir");
  EXPECT_TRUE(EmptyFile((root / "dir").string()));
  EXPECT_TRUE(fs::is_directory(root / "dir.refused"));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(root / "dir")));
  fs::remove_all(root);
}

}  // namespace
}  // namespace orvane
