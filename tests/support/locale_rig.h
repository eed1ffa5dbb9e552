// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a test under a locale that writes numbers with a decimal comma (de_DE.UTF-8),
// as a program started by a German desktop does: the C library's locale is set for the
// whole process. Where the system has no such locale, it is made with localedef into a
// folder of the test's own (LOCPATH), so no system file changes.

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace orvane::test {

// True when `name` can be set as the process locale (and then is set back).
inline bool LocaleWorks(const char* name) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  const bool works = std::setlocale(LC_ALL, name) != nullptr;
  std::setlocale(LC_ALL, before.c_str());
  return works;
}

// Makes `name` ("de_DE.UTF-8") available if it is not; false when it cannot be made.
inline bool EnsureLocale(const char* name, const char* source, std::string& why) {
  if (LocaleWorks(name)) return true;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "orvane-test-locales";
  std::filesystem::create_directories(folder);
  const std::string command = "localedef -i " + std::string(source) + " -f UTF-8 '" +
                              (folder / name).string() + "' >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  setenv("LOCPATH", folder.c_str(), 1);
  if (LocaleWorks(name)) return true;
  why = std::string(name) + " is not installed and localedef could not make it (status " +
        std::to_string(status) + "; the package 'locales' has its sources)";
  unsetenv("LOCPATH");
  return false;
}

// The process runs under `name` while this lives, then under the locale it had.
class ProcessLocale {
 public:
  explicit ProcessLocale(const char* name) : before_(std::setlocale(LC_ALL, nullptr)) {
    std::setlocale(LC_ALL, name);
  }
  ~ProcessLocale() { std::setlocale(LC_ALL, before_.c_str()); }
  ProcessLocale(const ProcessLocale&) = delete;
  ProcessLocale& operator=(const ProcessLocale&) = delete;

  // What the C library itself writes for 0.5 there: "0,5" under a decimal-comma locale.
  static std::string LibraryHalf() {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 0.5);
    return text;
  }

 private:
  std::string before_;
};

}  // namespace orvane::test
