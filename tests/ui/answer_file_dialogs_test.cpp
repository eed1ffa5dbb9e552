// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/answer_file_dialogs.h"

#include <gtest/gtest.h>

#include "recording/temp_folder.h"

namespace orvane {
namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

TEST(AnswerFileDialogs, AnswersInOrderAndCancelsWhenTheyRunOut) {
  TempFolder folder;
  WriteBytes(folder.File("answers"),
             "# a comment\r\nyes\n\nfile /tmp/a b; c ü.lms\ninput 00:00:05\nfile\nno\n");
  AnswerFileDialogs d;
  std::string error;
  ASSERT_TRUE(d.Load(folder.File("answers"), error)) << error;
  EXPECT_EQ(d.Message("?", MessageIcon::Question, MessageButtons::YesNo, ""), DialogAnswer::Yes);
  EXPECT_EQ(d.SaveFile({}), std::optional<std::string>("/tmp/a b; c ü.lms"));
  EXPECT_EQ(d.Input("?", "", "x"), "00:00:05");
  EXPECT_EQ(d.OpenFile({}), std::nullopt);  // "file" alone
  EXPECT_EQ(d.Message("?", MessageIcon::Question, MessageButtons::YesNo, ""), DialogAnswer::No);
  // Nothing left: every kind of question is cancelled.
  EXPECT_EQ(d.Message("?", MessageIcon::Question, MessageButtons::YesNo, ""), DialogAnswer::Cancel);
  EXPECT_EQ(d.SaveFile({}), std::nullopt);
  EXPECT_EQ(d.Input("?", "", "x"), "");
}

TEST(AnswerFileDialogs, RefusesWhatIsNotAnAnswer) {
  struct Case {
    const char* text;
    const char* said;
  } cases[] = {{"yes\nmaybe\n", "line 2: not an answer: maybe"},
               {"Yes\n", "line 1"},
               {"files /x\n", "line 1"}};
  for (const Case& c : cases) {
    TempFolder folder;
    WriteBytes(folder.File("answers"), c.text);
    AnswerFileDialogs d;
    std::string error;
    EXPECT_FALSE(d.Load(folder.File("answers"), error)) << c.text;
    EXPECT_NE(error.find(c.said), std::string::npos) << error;
  }
  AnswerFileDialogs d;
  std::string error;
  EXPECT_FALSE(d.Load("/nonexistent/answers", error));
}

}  // namespace
}  // namespace orvane
