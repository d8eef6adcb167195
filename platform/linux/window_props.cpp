#include "platform/linux/window_props.h"

#include <string>
#include <vector>

#include "platform/linux/program_name.h"
#include "platform/shared/cp1252.h"

namespace pf::linux_x {
namespace {

// Format-32 properties travel as arrays of C long, whatever the long's width.
void ChangeLongs(const XConnection& x, ::Window w, Atom property, Atom type,
                 const std::vector<unsigned long>& values) {
  XChangeProperty(x.display(), w, property, type, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(values.data()),
                  static_cast<int>(values.size()));
}

// The Motif hints' flags, functions and decorations (then the input mode and a status, unused).
void SetMotifHints(const XConnection& x, ::Window w, unsigned long flags, unsigned long functions,
                   unsigned long decorations) {
  ChangeLongs(x, w, x.atoms().motif_wm_hints, x.atoms().motif_wm_hints,
              {flags, functions, decorations, 0, 0});
}

constexpr unsigned long kFunctionsFlag = 1ul << 0;
constexpr unsigned long kDecorationsFlag = 1ul << 1;

}  // namespace

void SetBorderless(const XConnection& x, ::Window w) {
  SetMotifHints(x, w, kDecorationsFlag, 0, 0);
}

void SetFramed(const XConnection& x, ::Window w) {
  constexpr unsigned long kMove = 1ul << 2, kMinimize = 1ul << 3, kClose = 1ul << 5;
  constexpr unsigned long kBorder = 1ul << 1, kTitle = 1ul << 3, kMenu = 1ul << 4,
                          kMinimizeButton = 1ul << 5;
  SetMotifHints(x, w, kFunctionsFlag | kDecorationsFlag, kMove | kMinimize | kClose,
                kBorder | kTitle | kMenu | kMinimizeButton);
}

void SetClassHint(const XConnection& x, ::Window w, std::string_view program_name) {
  std::string res_name = UnixProgramName(program_name);
  std::string res_class(program_name);
  XClassHint class_hint{res_name.data(), res_class.data()};
  XSetClassHint(x.display(), w, &class_hint);
}

void SetManagementHints(const XConnection& x, ::Window w, ::Window leader, const Rect& bounds) {
  Display* d = x.display();
  Atom protocols[] = {x.atoms().wm_delete_window};
  XSetWMProtocols(d, w, protocols, 1);
  XWMHints hints{};
  hints.flags = InputHint | StateHint | WindowGroupHint;
  hints.input = True;
  hints.initial_state = NormalState;
  hints.window_group = leader;
  XSetWMHints(d, w, &hints);
  XSizeHints size{};
  size.flags = USPosition | USSize;
  size.x = bounds.left;
  size.y = bounds.top;
  size.width = bounds.Width();
  size.height = bounds.Height();
  XSetWMNormalHints(d, w, &size);
}

void SetOpacityProperty(const XConnection& x, ::Window w, bool layered, std::uint8_t alpha) {
  if (!layered || alpha == 255) {
    XDeleteProperty(x.display(), w, x.atoms().net_wm_window_opacity);
  } else {
    ChangeLongs(x, w, x.atoms().net_wm_window_opacity, XA_CARDINAL, {alpha * 0x01010101ul});
  }
  XFlush(x.display());  // a compositor fades as the steps come, not when the loop next reads
}

void SetTitleProperties(const XConnection& x, ::Window w, std::string_view title) {
  const std::string latin(title);
  XStoreName(x.display(), w, latin.c_str());
  const std::string utf8 = text::Utf8FromCp1252(title);
  XChangeProperty(x.display(), w, x.atoms().net_wm_name, x.atoms().utf8_string, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(utf8.data()),
                  static_cast<int>(utf8.size()));
}

void SetIconProperty(const XConnection& x, ::Window w, const IconImage& icon) {
  const std::size_t count = static_cast<std::size_t>(icon.width) * icon.height;
  if (icon.width <= 0 || icon.height <= 0 || icon.pixels.size() < count) return;
  std::vector<unsigned long> values{static_cast<unsigned long>(icon.width),
                                    static_cast<unsigned long>(icon.height)};
  values.insert(values.end(), icon.pixels.begin(), icon.pixels.begin() + count);
  ChangeLongs(x, w, x.atoms().net_wm_icon, XA_CARDINAL, values);
}

void SetDialogType(const XConnection& x, ::Window w, ::Window transient_for) {
  ChangeLongs(x, w, x.atoms().net_wm_window_type, XA_ATOM, {x.atoms().net_wm_window_type_dialog});
  if (transient_for != None) XSetTransientForHint(x.display(), w, transient_for);
}

}  // namespace pf::linux_x
