// SPDX-License-Identifier: GPL-3.0-or-later
// The real program, killed with SIGKILL while it records: the records written so far are
// in the scratch file, and the next start offers to save them. It runs the built
// program on the simulated meter, headless, with its dialogs answered from a file
// (--answers-from) and Save pressed by --press-save. The record tick is the program's
// real one-second timer, so these tests take a few seconds.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "common/folder_lock.h"
#include "common/working_folder.h"
#include "recording/recording_file.h"
#include "recording/temp_folder.h"
#include "recording/unfinished_recording.h"
#include "support/record_stamps.h"

extern char** environ;

namespace orvane {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

#ifdef ORVANE_SANITIZE
constexpr auto kPatience = std::chrono::seconds(60);
constexpr auto kHandOverLimit = std::chrono::seconds(30);
#else
constexpr auto kPatience = std::chrono::seconds(20);
// A second start, from its launch to its end, when it hands a file over.
constexpr auto kHandOverLimit = std::chrono::seconds(5);
#endif

class Program {
 public:
  // Starts the program on the simulated meter with `folder` as its working folder, and
  // `extraEnv` ("NAME=value") in its environment.
  // `extraEnv` ("NAME=value") in its environment, and `extraArgs` after its options.
  Program(const TempFolder& folder, const std::string& answers, bool pressSave,
          const std::vector<std::string>& extraEnv = {},
          const std::vector<std::string>& extraArgs = {})
      : errPath_(folder.File("stderr-" + std::to_string(++runs_))) {
    const std::string answerFile = folder.File("answers-" + std::to_string(runs_));
    WriteBytes(answerFile, answers);
    std::vector<std::string> args = {ORVANE_GUI_PROGRAM, "--simulate", "--answers-from",
                                     answerFile};
    if (pressSave) args.emplace_back("--press-save");
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    // The settings (the folder used last) go to the test's folder, not the user's.
    std::vector<std::string> env = {"ORVANE_TEMP_DIR=" + folder.Path(), "QT_QPA_PLATFORM=offscreen",
                                    "XDG_CONFIG_HOME=" + folder.File("config")};
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry = *e;
      const std::string name = entry.substr(0, entry.find('=') + 1);
      if (std::none_of(env.begin(), env.end(),
                       [&](const std::string& set) { return set.rfind(name, 0) == 0; })) {
        env.push_back(entry);
      }
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv, envp;
    for (auto& a : args) argv.push_back(a.data());
    for (auto& e : env) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    if (posix_spawn(&pid_, args[0].c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Program() { Kill(); }

  bool Running() const { return pid_ > 0; }
  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  std::string Errors() const { return ReadBytes(errPath_); }
  // The exit status once the program ends by itself within kPatience; -1 otherwise.
  int ExitStatus() {
    const auto until = std::chrono::steady_clock::now() + kPatience;
    int status = 0;
    while (pid_ > 0 && std::chrono::steady_clock::now() < until) {
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
  }

  // Waits until `done` holds, at most kPatience; false when the program ended or time ran out.
  bool WaitFor(const std::function<bool()>& done) const {
    const auto until = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < until) {
      if (done()) return true;
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return done();
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

 private:
  static inline int runs_ = 0;
  std::string errPath_;
  pid_t pid_ = -1;
};

long Lines(const std::string& bytes) {
  long n = 0;
  for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
       at = bytes.find("\r\n", at + 2)) {
    ++n;
  }
  return n;
}

TEST(CrashRecovery, KilledRecordingIsOfferedAtTheNextStartAndSaved) {
  TempFolder folder;
  const std::string scratch = folder.File(kRecordingTempName);
  const std::string chosen = folder.File("evening run.lms");

  // 1. A recording runs; after three records the program is killed.
  {
    Program run(folder, "file " + chosen + "\n", true);
    ASSERT_TRUE(run.Running());
    ASSERT_TRUE(run.WaitFor([&] { return Lines(ReadBytes(scratch)) >= 4 + 3; })) << run.Errors();
    run.Kill();
  }
  const std::string body = ReadBytes(scratch);
  const long records = Lines(body) - 4;
  ASSERT_GE(records, 3);
  EXPECT_FALSE(std::filesystem::exists(chosen));
  const std::string offer = "dialog: message: A recording of " + std::to_string(records) +
                            " records was not finished (it was to be saved as " + chosen +
                            "). | Do you want to save it now?";

  // 2. Declined: the records stay, and the next start offers them again.
  {
    Program declined(folder, "no\n", false);
    ASSERT_TRUE(declined.WaitFor([&] {
      return declined.Errors().find(offer) != std::string::npos;
    })) << declined.Errors();
  }
  EXPECT_EQ(ReadBytes(scratch), body);
  EXPECT_FALSE(std::filesystem::exists(chosen));

  // 3. Accepted, into a file whose name is not ASCII: the data file holds every record.
  const std::string saved = folder.File("Messung ü 2.lms");
  {
    Program accepted(folder, "yes\nfile " + saved + "\n", false);
    // Saved, and the mark of the unfinished recording cleared right after.
    ASSERT_TRUE(accepted.WaitFor([&] {
      return Lines(ReadBytes(saved)) == 4 + 4 + records &&
             !FindUnfinishedRecording(folder.Path()).has_value();
    })) << accepted.Errors();
    EXPECT_NE(accepted.Errors().find(offer), std::string::npos);
  }
  EXPECT_EQ(ReadBytes(saved), FileHeaderLines(records) + body);
  EXPECT_FALSE(FindUnfinishedRecording(folder.Path()).has_value());
}

// The real program records while its built-in meter is unplugged from the 4th to the 8th
// second: about four seconds have no record, every other second has one.
TEST(RealProgram, SecondsWithTheMeterUnpluggedHaveNoRecord) {
  TempFolder folder;
  const std::string scratch = folder.File(kRecordingTempName);
  Program run(folder, "file " + folder.File("gap.lms") + "\n", true,
              {"ORVANE_SIMULATE_UNPLUG=4:4"});
  ASSERT_TRUE(run.WaitFor([&] { return Lines(ReadBytes(scratch)) >= 4 + 9; })) << run.Errors();
  run.Kill();
  test::ExpectOneGap(test::StampedRecords(ReadBytes(scratch)), 3, 5);
}

// One program per working folder: a second start while a recording runs hands over to
// the running one, ends, and leaves the folder as it was; once the first is killed, its lock does
// not stand in the way and the next start offers the recording it left.
TEST(CrashRecovery, SecondProgramOnTheFolderHandsOverAndAKilledOnesLockIsTakenOver) {
  TempFolder folder;
  const std::string scratch = folder.File(kRecordingTempName);
  const std::string dialogFile = folder.File(kDialogTempName);
  const std::string mark = folder.File(kRecordingMarkName);
  const std::string chosen = folder.File("first.lms");

  Program first(folder, "file " + chosen + "\n", true, {"ORVANE_DEBUG=start"});
  ASSERT_TRUE(first.WaitFor([&] { return Lines(ReadBytes(scratch)) >= 4 + 2; })) << first.Errors();
  WriteBytes(dialogFile, "emptied only by the owner");
  const std::string markBefore = ReadBytes(mark);

  {
    // Without a file the second start only brings the running panel to the front.
    Program second(folder, "ok\n", true);
    EXPECT_EQ(second.ExitStatus(), 0) << second.Errors();
    const std::string told = second.Errors();
    EXPECT_EQ(told.find("dialog:"), std::string::npos) << told;
    EXPECT_TRUE(first.WaitFor([&] {
      return first.Errors().find("orvane start: a second start raised the panel") !=
             std::string::npos;
    })) << first.Errors();
  }
  EXPECT_EQ(ReadBytes(dialogFile), "emptied only by the owner");
  EXPECT_EQ(ReadBytes(mark), markBefore);
  // The first one's recording went on untouched: the records it wrote since, in order.
  const long written = Lines(ReadBytes(scratch)) - 4;
  ASSERT_TRUE(first.WaitFor([&] { return Lines(ReadBytes(scratch)) - 4 > written; }));
  first.Kill();
  const std::string body = ReadBytes(scratch);
  const long records = Lines(body) - 4;
  const std::string lastNumber =
      "-\t" + std::string(10 - std::to_string(records).size(), ' ') + std::to_string(records);
  EXPECT_EQ(body.substr(body.rfind("\r\n", body.size() - 3) + 2, lastNumber.size()), lastNumber)
      << body;

  Program next(folder, "no\n", false);
  ASSERT_TRUE(next.WaitFor([&] {
    return next.Errors().find("was not finished") != std::string::npos;
  })) << next.Errors();
  EXPECT_TRUE(next.Running());
  EXPECT_EQ(ReadBytes(dialogFile), "");
  EXPECT_EQ(ReadBytes(scratch), body);
}

// A second start that names a data file hands it to the running program, whose plot
// shows it, and ends with 0 at once. A socket left behind by a program that ended is taken
// over; a folder whose owner does not answer (here the test holds the lock itself) is
// refused as before.
TEST(RealProgram, SecondStartOpensItsFileInTheRunningProgramsPlot) {
  TempFolder folder;
  const std::string socketPath = folder.File(kHandOverSocketName);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  {  // the socket of a program that ended: the file stays, nothing listens
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(stale);
  }
  {
    FolderLock silentOwner;
    ASSERT_EQ(silentOwner.Take(folder.Path()), FolderLock::Result::Taken);
    Program refused(folder, "ok\n", false);
    EXPECT_EQ(refused.ExitStatus(), 1);
    EXPECT_NE(refused.Errors().find("dialog: message: Orvane is already running."),
              std::string::npos)
        << refused.Errors();
  }
  // The editor the plot's file is also opened in: a stand-in that only notes the file.
  std::filesystem::create_directory(folder.File("bin"));
  WriteBytes(folder.File("bin/xdg-open"), "#!/bin/sh\necho \"$1\" >> \"$0.called\"\n");
  std::filesystem::permissions(folder.File("bin/xdg-open"), std::filesystem::perms::owner_all);
  const std::string path = "PATH=" + folder.File("bin") + ":" + std::getenv("PATH");
  const std::string run = folder.File("run.lms");
  WriteBytes(run, FileHeaderLines(3) + BodyHeaderLines(true, "") +
                      RecordLine(1, "2024/05/17 08:00:01", "528.0", "528.0") +
                      RecordLine(2, "2024/05/17 08:00:02", "530.0", "530.0") +
                      RecordLine(3, "2024/05/17 08:00:03", "531.0", "531.0"));

  Program first(folder, "", false, {"ORVANE_DEBUG=start", path});
  ASSERT_TRUE(first.WaitFor([&] {  // listening on the socket it took over
    const int probe = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool up = ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(probe);
    return up;
  })) << first.Errors();

  const auto started = std::chrono::steady_clock::now();
  Program second(folder, "", false, {path}, {run});
  EXPECT_EQ(second.ExitStatus(), 0) << second.Errors();
  EXPECT_LT(std::chrono::steady_clock::now() - started, kHandOverLimit);
  EXPECT_EQ(second.Errors().find("dialog:"), std::string::npos) << second.Errors();
  EXPECT_TRUE(first.WaitFor([&] {
    return first.Errors().find("orvane start: a second start named " + run +
                               ": the plot shows it, 3 records") != std::string::npos;
  })) << first.Errors();
  EXPECT_TRUE(first.Running());
}

// A lock file that cannot be taken - a folder, a link or another user's file in its place
// (the last only when the test runs as root, which can give a file away) - keeps the
// program off the folder: it says so and ends, without touching the folder's files.
TEST(CrashRecovery, ALockThatCannotBeTakenKeepsTheProgramOffTheFolder) {
  struct Case {
    const char* kind;
    std::function<void(const std::string& lock)> plant;
  };
  std::vector<Case> cases = {
      {"a folder", [](const std::string& lock) { std::filesystem::create_directory(lock); }},
      {"a symbolic link",
       [](const std::string& lock) { std::filesystem::create_symlink("/dev/null", lock); }},
  };
  if (::geteuid() == 0) {
    cases.push_back({"a file of another user (uid 65534)", [](const std::string& lock) {
                       WriteBytes(lock, "");
                       ASSERT_EQ(::chown(lock.c_str(), 65534, 65534), 0);
                     }});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    TempFolder folder;
    const std::string lock = folder.File(kFolderLockName);
    c.plant(lock);
    Program run(folder, "ok\n", true);
    EXPECT_EQ(run.ExitStatus(), 1);
    const std::string told = run.Errors();
    EXPECT_NE(told.find("dialog: message: Orvane cannot take the lock of its working folder"),
              std::string::npos)
        << told;
    EXPECT_NE(told.find(std::string("is ") + c.kind), std::string::npos) << told;
    EXPECT_FALSE(std::filesystem::exists(folder.File(kDialogTempName)));
    // Moved aside: the next start makes a lock of its own.
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(lock + ".refused")));
  }
}

}  // namespace
}  // namespace orvane
