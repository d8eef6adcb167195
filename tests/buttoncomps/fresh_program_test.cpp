// A program that has touched no class yet: what form descriptions can name comes from the
// registration calls alone, so this file is its own executable with nothing run before it.
#include <gtest/gtest.h>

#include <memory>

#include "buttoncomps/buttoncomps.h"
#include "framework/controls/application.h"
#include "framework/controls/forms.h"
#include "framework/controls/image.h"
#include "framework/controls/timer.h"
#include "framework/description/reader.h"
#include "framework/description_tools/text_parser.h"
#include "platform/headless/headless_platform.h"

namespace {

// Every class of the framework and of the button unit that a description can create.
constexpr const char* kEveryClass = R"(TForm Host {
  TImage Picture {
    Left = 1
  }
  TTimer Ticker {
    Enabled = False
  }
  TImageButton Picture2 {
    Left = 2
  }
  TEncartaButton Flat {
    Left = 3
  }
  TAOLButton Raised {
    Left = 4
  }
  TSelButton Sel {
    Left = 5
  }
  TSquareButton Square {
    Left = 6
  }
}
)";

TEST(FreshProgram, DescriptionsNameEveryClassOnceTheProgramHasRegisteredThem) {
  pf::Install(std::make_unique<pf::headless::HeadlessPlatform>());
  auto application = std::make_unique<fw::TApplication>(nullptr);

  EXPECT_EQ(fw::FindClass("TForm"), nullptr) << "nothing is known before the calls";
  application->Initialize();
  EXPECT_EQ(fw::FindClass("TSelButton"), nullptr) << "the buttons come with their own call";
  bc::RegisterClasses();

  auto* form = new fw::TForm(application.get());
  fw::AcceptTextDescriptions();
  fw::ReadComponent(kEveryClass, *form);
  const char* const expected[] = {"TImage", "TTimer", "TImageButton", "TEncartaButton",
                                  "TAOLButton", "TSelButton", "TSquareButton"};
  ASSERT_EQ(form->ComponentCount(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(form->Components(i)->ClassName(), expected[i]);

  application.reset();
  pf::Uninstall();
}

}  // namespace
