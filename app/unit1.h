#pragma once
// The launcher's only window: the background picture, four picture buttons over the captions of
// the four choices, and the fade-in. Built from the form description "Form_Main".
#include "buttoncomps/image_button.h"
#include "framework/controls/forms.h"
#include "framework/controls/image.h"
#include "framework/controls/timer.h"

namespace app {

class TForm_Main : public fw::TForm {
  QF_PUBLISHED_CLASS()

 public:
  explicit TForm_Main(fw::TComponent* owner);
  ~TForm_Main() override;

  fw::TImage* Image1 = nullptr;
  bc::TImageButton* ImageButton3 = nullptr;  // install the driver and utility
  bc::TImageButton* ImageButton2 = nullptr;  // the user's manual
  bc::TImageButton* ImageButton1 = nullptr;  // install the PDF reader
  bc::TImageButton* ImageButton5 = nullptr;  // exit
  fw::TTimer* Timer2 = nullptr;              // the fade-in

  // The executable's folder with its trailing backslash, e.g. "D:\".
  fw::String AppPath;

  void Timer2Timer(fw::TObject* sender);
  void ImageButton5Click(fw::TObject* sender);
  void ImageButton3Click(fw::TObject* sender);
  void ImageButton2Click(fw::TObject* sender);
  void ImageButton1Click(fw::TObject* sender);
  void FormDestroy(fw::TObject* sender);

 private:
  void PublishMembers();
  void LaunchTarget(const fw::String& target);
};

// The one main form, set when the application creates it.
extern TForm_Main* Form_Main;

// The folder part of `exe_name`, up to and including its last path delimiter.
fw::String ExtractFilePath(const fw::String& exe_name);

// Each action's target, formed on AppPath by plain concatenation.
fw::String DriverTarget(const fw::String& app_path);
fw::String ManualTarget(const fw::String& app_path);
// Empty when AppPath is shorter than three characters.
fw::String ReaderTarget(const fw::String& app_path, const pf::OsVersion& version);
// Windows XP, Server 2003 and the 6.x versions get the newer reader installer.
bool WantsNewerReader(const pf::OsVersion& version);

}  // namespace app
