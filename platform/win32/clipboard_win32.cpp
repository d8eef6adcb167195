// The system clipboard's text: CF_UNICODETEXT, lines ending "\r\n", which the system also gives
// as CF_TEXT, in its ANSI code page, to programs that ask for that, and gives us from a program
// that put only CF_TEXT there. Owned by the application window.
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/platform_win32.h"
#include "platform/win32/wide_text.h"

namespace pf::win32 {
namespace {

constexpr UINT kWindows1252 = 1252;

// How many "\r" the clipboard's form adds: one before each "\n" that has none.
std::size_t LoneLineFeeds(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ++count;
  }
  return count;
}

// Writes the text as the clipboard holds it, UTF-16 with "\r\n" and a NUL, to `out`, which has
// room for text.size() + extra + 1 units (extra: the "\r" to add). Every Windows-1252 character
// is one unit: the text is converted to the end of the room, then moved down, each "\r" added on
// the way (what is written never passes what is still to be read).
void WriteClipboardForm(std::string_view text, std::size_t extra, wchar_t* out) {
  const int size = static_cast<int>(text.size());
  wchar_t* converted = out + extra;
  if (size > 0) ::MultiByteToWideChar(kWindows1252, 0, text.data(), size, converted, size);
  wchar_t* to = out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t unit = converted[i];
    if (unit == L'\n' && (i == 0 || text[i - 1] != '\r')) *to++ = L'\r';
    *to++ = unit;
  }
  *to = L'\0';
}

// Ours again: in Windows-1252, each "\r\n" a "\n".
std::string ProgramForm(std::wstring_view wide) {
  std::string text = Cp1252FromWide(wide);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') text[kept++] = text[i];
  }
  text.resize(kept);
  return text;
}

}  // namespace

bool Win32Platform::SetClipboardText(std::string_view text) {
  const std::size_t extra = LoneLineFeeds(text);
  const std::size_t bytes = (text.size() + extra + 1) * sizeof(wchar_t);
  GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  {
    const GlobalLockScope lock(memory.get());
    if (lock.get() == nullptr) return false;
    WriteClipboardForm(text, extra, static_cast<wchar_t*>(lock.get()));
  }
  const OpenedClipboard clipboard(app_window_);
  if (!clipboard || !::EmptyClipboard()) return false;
  if (::SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
  memory.release();  // the system's now
  return true;
}

// Read up to its NUL, as the system's own edit controls read it.
std::optional<std::string> Win32Platform::ClipboardText() {
  const OpenedClipboard clipboard(app_window_);
  if (!clipboard) return std::nullopt;
  const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return std::nullopt;
  const GlobalLockScope lock(data);
  if (lock.get() == nullptr) return std::nullopt;
  return ProgramForm(static_cast<const wchar_t*>(lock.get()));
}

}  // namespace pf::win32
