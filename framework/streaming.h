#pragma once
// Form descriptions: one reader and one writer.
#include <string_view>

#include "framework/classes.h"

namespace fw {

void ReadComponent(std::string_view text, TComponent& root);
TComponent* ReadNewComponent(std::string_view text, TComponent* owner);
String WriteComponent(const TComponent& root);

}  // namespace fw
