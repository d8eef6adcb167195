#include "platform/linux/atspi/atk_text.h"

#include <algorithm>
#include <utility>

#include "platform/linux/atspi/atk_libs.h"
#include "platform/shared/cp1252.h"

namespace pf::atspi {
namespace {

// The part of `before` that `after` replaced: where it starts, and how long it was and is (the
// common beginning and end left out).
struct Replaced {
  std::size_t at = 0;
  std::size_t removed = 0;
  std::size_t inserted = 0;
};

Replaced Difference(const std::string& before, const std::string& after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
    ++tail;
  }
  return Replaced{head, before.size() - head - tail, after.size() - head - tail};
}

void EmitText(AtkObject* object, const char* signal, std::size_t at, const std::string& part) {
  const std::string utf8 = text::Utf8FromCp1252(part);
  Atk().g_signal_emit_by_name(object, signal, static_cast<gint>(at), static_cast<gint>(part.size()),
                              utf8.c_str());
}

}  // namespace

void TextTold::Remember(std::string text, int caret) {
  text_ = std::move(text);
  caret_ = caret;
}

void TextTold::Tell(AtkObject* object, std::string text, int caret) {
  const Replaced r = Difference(text_, text);
  if (r.removed > 0) EmitText(object, "text-remove", r.at, text_.substr(r.at, r.removed));
  if (r.inserted > 0) EmitText(object, "text-insert", r.at, text.substr(r.at, r.inserted));
  if (caret != caret_) Atk().g_signal_emit_by_name(object, "text-caret-moved", caret);
  Remember(std::move(text), caret);
}

}  // namespace pf::atspi
