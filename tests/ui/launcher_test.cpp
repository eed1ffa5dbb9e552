// SPDX-License-Identifier: GPL-3.0-or-later
// The text editor is started without a shell: a path full of blanks, quotes and ";"
// reaches the opener as one argument naming that very file, and nothing else runs. The
// desktop's opener (xdg-open) is replaced by a script that writes down its arguments.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QUrl>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "recording/temp_folder.h"
#include "ui/qt_dialogs.h"

namespace orvane {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// Sets an environment variable for the test's lifetime.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(Launcher, OpensTheFileItselfWithoutAShell) {
  TempFolder bin;
  TempFolder files;
  const std::string log = bin.File("args");
  // One line per argument, then a line with the count.
  WriteBytes(bin.File("xdg-open"),
             "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + log +
                 ".part'\necho \"$#\" >> '" + log + ".part'\nmv '" + log + ".part' '" + log +
                 "'\n");
  ::chmod(bin.File("xdg-open").c_str(), 0700);
  const ScopedEnv path("PATH", bin.Path() + ":/usr/bin:/bin");
  const ScopedEnv desktop("XDG_CURRENT_DESKTOP", "");

  // Run by a shell, the name would create a file "canary" in the working directory.
  const std::string tricky = files.File("it's a \"run\"; touch canary; $(touch canary) `x` é.lms");
  WriteBytes(tricky, "-\r\n");
  ASSERT_TRUE(std::filesystem::exists(tricky));
  ASSERT_TRUE(QtLauncher().OpenInEditor(tricky));

  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(log) && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const std::string args = ReadBytes(log);
  const std::size_t end = args.find('\n');
  ASSERT_NE(end, std::string::npos) << "the opener did not run";
  EXPECT_EQ(args.substr(end + 1), "1\n");  // exactly one argument
  const std::string given = args.substr(0, end);
  const QString local = given.rfind("file:", 0) == 0
                            ? QUrl(QString::fromStdString(given)).toLocalFile()
                            : QString::fromStdString(given);
  EXPECT_EQ(local.toStdString(), tricky);
  EXPECT_FALSE(std::filesystem::exists("canary"));
}

}  // namespace
}  // namespace orvane
