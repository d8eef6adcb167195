// Handing the button classes to a form designer.
#include <gtest/gtest.h>

#include "buttoncomps/buttoncomps.h"
#include "framework/objects/registration.h"

namespace {

TEST(Registration, WithoutADesignEnvironmentItIsAnInvalidRegistration) {
  fw::SetRegisterComponentsProc(nullptr);
  try {
    bc::Register();
    FAIL() << "no exception";
  } catch (const fw::EComponentError& e) {
    EXPECT_EQ(e.Message(), "Invalid component registration");
  }
}

TEST(Registration, TheDesignerGetsThePageAndTheFiveClassesInOrder) {
  std::vector<std::pair<fw::String, std::vector<fw::String>>> calls;
  fw::SetRegisterComponentsProc([&](const fw::String& page, const std::vector<fw::TComponentClass>& classes) {
    std::vector<fw::String> names;
    for (auto c : classes) names.push_back(c->name);
    calls.emplace_back(page, names);
  });
  bc::Register();
  fw::SetRegisterComponentsProc(nullptr);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].first, "Tolvane");
  EXPECT_EQ(calls[0].second, (std::vector<fw::String>{"TEncartaButton", "TAOLButton", "TImageButton",
                                                       "TSelButton", "TSquareButton"}));
  // Each class can make a button, as a designer dropping it on a form would.
  for (const auto& name : calls[0].second) {
    std::unique_ptr<fw::TComponent> made(fw::GetClass(name).create(nullptr));
    EXPECT_EQ(made->ClassName(), name);
  }
}

}  // namespace
