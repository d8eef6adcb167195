#pragma once
// Names a designer gives: a placed control is called after its class, without the T, with the
// lowest number no object of the form has (SelButton1, SelButton2, ...).
#include "framework/description_tools/text_document.h"

namespace designer {

fw::String FreshName(const fw::TextDocument& text, const fw::String& class_name);

// `pasted` with each object whose name `text` already has renamed afresh; whether any was.
bool RenameColliding(fw::TextDocument& pasted, const fw::TextDocument& text);

}  // namespace designer
