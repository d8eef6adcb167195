// The designer's session on the launcher's form: surgical changes, placing, undo, the file.
#include <gtest/gtest.h>

#include "framework/controls/control.h"
#include "framework/description_tools/converter.h"
#include "framework/description_tools/writer.h"
#include "framework/objects/sysutils.h"
#include "tests/designer/designer_fixture.h"

namespace qf::test {
namespace {

using designer::DesignSession;
using Strings = std::vector<std::string>;

class Session : public DesignerTest {
 protected:
  void SetUp() override {
    DesignerTest::SetUp();
    session = Open(MainFormPath());
    opened = session->Text().Text();
  }
  void TearDown() override {
    session.reset();
    DesignerTest::TearDown();
  }
  const fw::TControl& Live(const char* name) const {
    return dynamic_cast<const fw::TControl&>(*session->Root().FindComponent(name));
  }
  // As Right does on the selection: one pixel, one step.
  void Nudge(const char* name, int dx) {
    designer::Bounds b = session->BoundsOf(name);
    b.left += dx;
    session->SetBounds(name, b);
  }
  std::string Saved() { return files.files[MainFormPath()]; }

  std::unique_ptr<DesignSession> session;
  std::string opened;
};

TEST_F(Session, MovingAButtonFivePixelsChangesItsLeftLineAloneAndUndoGivesTheBytesBack) {
  session->Select("ImageButton2");
  for (int i = 0; i < 5; ++i) Nudge("ImageButton2", 1);
  EXPECT_EQ(Live("ImageButton2").Left(), 393);
  EXPECT_EQ(session->Save(false), DesignSession::SaveResult::kSaved);
  EXPECT_EQ(ChangedLines(opened, Saved()), (Strings{"-    Left = 388", "+    Left = 393"}));
  while (session->CanUndo()) session->Undo();
  EXPECT_EQ(session->Text().Text(), opened);
  EXPECT_EQ(Live("ImageButton2").Left(), 388);
  EXPECT_EQ(session->Selected(), "ImageButton2");
}

TEST_F(Session, OpeningAndSavingWithoutAChangeWritesTheSameBytes) {
  const std::string converted = fw::ConvertDescription(
      *fw::ReadFileBytes(QF_SOURCE_DIR "/tests/data/form_main_reference.qfz"),
      fw::DescriptionSyntax::Text);
  files.files["/forms/converted.form"] = converted;
  for (const std::string& path : {MainFormPath(), std::string("/forms/converted.form")}) {
    const std::string before = files.files[path];
    auto opened_again = Open(path);
    EXPECT_FALSE(opened_again->Modified());
    EXPECT_EQ(opened_again->Save(false), DesignSession::SaveResult::kSaved);
    EXPECT_EQ(files.files[path], before) << path;
  }
}

// Each class the palette offers: placed with its defaults and a fresh name, saved, and read back
// by a session of its own to the same properties.
TEST_F(Session, EachPlacedClassIsNamedAfreshSavedAndReadBackTheSame) {
  const Strings classes{"TEncartaButton", "TAOLButton", "TImageButton", "TSelButton",
                        "TSquareButton", "TImage"};
  Strings names;
  for (const std::string& cls : classes) names.push_back(session->Place(cls, 20, 30));
  EXPECT_EQ(names, (Strings{"EncartaButton1", "AOLButton1", "ImageButton4", "SelButton1",
                            "SquareButton1", "Image2"}));
  EXPECT_EQ(Live("SelButton1").Left(), 20);
  ASSERT_EQ(session->Save(false), DesignSession::SaveResult::kSaved);
  auto reread = Open(MainFormPath());
  for (const std::string& name : names) {
    const fw::TComponent& a = *session->Root().FindComponent(name);
    const fw::TComponent& b = *reread->Root().FindComponent(name);
    for (const fw::PropInfo* p : a.Class().Properties()) {
      EXPECT_EQ(fw::PropertyValueText(a, p->name), fw::PropertyValueText(b, p->name))
          << name << "." << p->name;
    }
  }
}

TEST_F(Session, EveryKindOfChangeUndoesBackToTheOpenedBytesAndRedoesAgain) {
  session->SetProperty("ImageButton3", "Hint", "\"Driver\"");
  session->SetBounds("ImageButton5", {30, 300, 70, 40});
  session->Place("TSelButton", 10, 10);
  session->SetProperty("SelButton1", "Caption", "\"Go\"");
  session->Rename("ImageButton1", "ReaderButton");
  session->Delete("ImageButton2");
  session->Paste(session->CopyText("ImageButton3"));
  session->SetProperty("", "Color", "clWhite");
  const std::string changed = session->Text().Text();
  int steps = 0;
  for (; session->CanUndo(); ++steps) session->Undo();
  EXPECT_EQ(steps, 8);
  EXPECT_EQ(session->Text().Text(), opened);
  EXPECT_NE(session->Root().FindComponent("ImageButton2"), nullptr);
  EXPECT_EQ(session->Root().FindComponent("SelButton1"), nullptr);
  while (session->CanRedo()) session->Redo();
  EXPECT_EQ(session->Text().Text(), changed);
  EXPECT_EQ(Live("ReaderButton").Left(), 387);
}

TEST_F(Session, ARefusedValueKeepsTheOldOneInTheFormAndTheText) {
  for (const char* value : {"\"x\"", "70000", "clNoSuchColour"}) {
    EXPECT_THROW(session->SetProperty("ImageButton2", value[0] == 'c' ? "Cursor" : "Left", value),
                 fw::EReadError)
        << value;
  }
  EXPECT_EQ(Live("ImageButton2").Left(), 388);
  EXPECT_EQ(session->Text().Text(), opened);
  EXPECT_FALSE(session->CanUndo());
}

// The launcher's order of choices follows a control renamed or deleted: the text reads again.
TEST_F(Session, KeyboardOrderFollowsARenameAndADelete) {
  session->Rename("ImageButton2", "ManualButton");
  session->Delete("ImageButton5");
  EXPECT_EQ(*session->Text().ValueText(0, "KeyboardOrder"),
            "[ImageButton3, ManualButton, ImageButton1]");
  ASSERT_EQ(session->Save(false), DesignSession::SaveResult::kSaved);
  EXPECT_NO_THROW(Open(MainFormPath()));
}

TEST_F(Session, APastedControlIsRenamedAndMovedWhereItsNameIsTaken) {
  const std::string copied = session->CopyText("ImageButton2");
  EXPECT_EQ(copied.substr(0, 27), "TImageButton ImageButton2 {");
  EXPECT_EQ(session->Paste(copied), "ImageButton4");
  EXPECT_EQ(Live("ImageButton4").Left(), 396);
  EXPECT_EQ(Live("ImageButton4").Top(), 311);
  EXPECT_THROW(session->Paste("TForm Form2 {\n}\n"), fw::EInvalidOperation) << "a whole form";
  EXPECT_THROW(session->Paste("not a description"), fw::EReadError);
}

TEST_F(Session, AWriteThatFailsLeavesTheFileAndKeepsTheChanges) {
  Nudge("ImageButton2", 1);
  files.fail_with = "No space left on device";
  std::string problem;
  EXPECT_EQ(session->Save(false, &problem), DesignSession::SaveResult::kFailed);
  EXPECT_NE(problem.find("No space left on device"), std::string::npos);
  EXPECT_EQ(Saved(), opened);
  EXPECT_TRUE(session->Modified());
  files.fail_with.clear();
  EXPECT_EQ(session->Save(false), DesignSession::SaveResult::kSaved);
  EXPECT_FALSE(session->Modified());
}

// Another program's change is followed at once, the selection kept; with changes of our own it is
// the user's to decide, and it is not overwritten unasked.
TEST_F(Session, AnOutsideChangeIsFollowedOrLeftToTheUser) {
  session->Select("ImageButton2");
  std::string edited = opened;
  edited.replace(edited.find("Left = 388"), 10, "Left = 100");
  files.WriteOutside(MainFormPath(), edited);
  EXPECT_EQ(session->CheckFile(), DesignSession::OutsideChange::kFollowed);
  EXPECT_EQ(Live("ImageButton2").Left(), 100);
  EXPECT_EQ(session->Selected(), "ImageButton2");
  EXPECT_FALSE(session->Modified());

  Nudge("ImageButton3", 1);
  files.WriteOutside(MainFormPath(), opened);
  EXPECT_EQ(session->CheckFile(), DesignSession::OutsideChange::kConflict);
  EXPECT_EQ(session->Save(false), DesignSession::SaveResult::kChangedOnDisk);
  EXPECT_EQ(Saved(), opened);
  session->Reload();
  EXPECT_EQ(session->Text().Text(), opened);
  EXPECT_FALSE(session->CanUndo());

  files.WriteOutside(MainFormPath(), "TForm_Main Form_Main {\n  Left = \n}\n");
  std::string problem;
  EXPECT_EQ(session->CheckFile(&problem), DesignSession::OutsideChange::kUnreadable);
  EXPECT_NE(problem.find("Line 2"), std::string::npos);
  EXPECT_EQ(session->Text().Text(), opened);
}

TEST_F(Session, FilesThatDoNotReadOpenNothingAndSayWhy) {
  const auto error_of = [&](const std::string& text) {
    files.files["/forms/broken.form"] = text;
    try {
      Open("/forms/broken.form");
    } catch (const fw::Exception& e) {
      return e.Message();
    }
    return std::string("opened");
  };
  EXPECT_EQ(error_of("TForm Form1 {\n  Left = \n}\n").substr(0, 7), "Line 2:");
  EXPECT_NE(error_of("TForm Form1 {\n  TNoSuchButton B {\n  }\n}\n").find("TNoSuchButton"),
            std::string::npos);
  EXPECT_NE(error_of("TForm F {\n  TImage I {\n    Picture.Data = file \"gone.jpg\"\n  }\n}\n")
                .find("gone.jpg"),
            std::string::npos);
  EXPECT_THROW(Open("/forms/missing.form"), fw::Exception);
}

}  // namespace
}  // namespace qf::test
