// A text field's editing: the caret, the selection and what each key makes of them.
#include <gtest/gtest.h>

#include "framework/controls/edit_text.h"

namespace qf::test {
namespace {

// The text with the selection in brackets, or the caret as '|'.
std::string Shown(const fw::EditText& e) {
  std::string s = e.Text();
  if (!e.HasSelection()) return s.insert(e.Caret(), "|");
  s.insert(e.SelectionEnd(), "]");
  return s.insert(e.SelectionStart(), "[");
}

TEST(EditText, TypingDeletingAndMovingActOnTheCaretOrTheSelection) {
  fw::EditText e;
  e.SetText("Left = 388");
  EXPECT_EQ(Shown(e), "Left = 388|");
  e.Backspace();
  e.Insert("9");
  e.Home(false);
  e.Delete();
  EXPECT_EQ(Shown(e), "|eft = 389");
  e.End(true);
  EXPECT_EQ(Shown(e), "[eft = 389]");
  e.Left(false);  // from a selection, to its edge
  EXPECT_EQ(Shown(e), "|eft = 389");
  e.Right(true);
  e.Right(true);
  e.Insert("x\ny\x01z");
  EXPECT_EQ(Shown(e), "x yz|t = 389") << "one line: a break becomes a space";
  e.SelectAll();
  e.Backspace();
  EXPECT_EQ(Shown(e), "|");
}

TEST(EditText, WordsAreLettersAndDigitsAndTheCaretStaysInTheText) {
  fw::EditText e;
  e.SetText("file \"art/x.bmp\"");
  e.Left(false, true);
  EXPECT_EQ(Shown(e), "file \"art/x.|bmp\"");
  e.Left(true, true);
  EXPECT_EQ(Shown(e), "file \"art/[x.]bmp\"");
  e.Home(false);
  e.Right(false, true);
  EXPECT_EQ(Shown(e), "file \"|art/x.bmp\"");
  e.MoveTo(1000, false);
  e.Right(false);
  EXPECT_EQ(e.Caret(), e.Text().size());
  e.Home(false);
  e.Left(false);
  EXPECT_EQ(e.Caret(), 0u);
}

}  // namespace
}  // namespace qf::test
