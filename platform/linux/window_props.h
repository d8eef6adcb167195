#pragma once
// The window properties that window managers and compositors read.
#include <cstdint>
#include <string_view>

#include "platform/linux/x_connection.h"
#include "platform/platform.h"

namespace pf::linux_x {

// No title bar or frame, but still managed: a taskbar entry, and it can be iconified.
void SetBorderless(const XConnection& x, ::Window w);
// A frame with a title bar, the window menu and a minimise button: the user moves, iconifies and
// closes the window, and does not resize it.
void SetFramed(const XConnection& x, ::Window w);
// WM_CLASS: the program's name, as its executable is named and as the program names itself.
void SetClassHint(const XConnection& x, ::Window w, std::string_view program_name);
// WM_DELETE_WINDOW, the group leader, a position the window manager keeps.
void SetManagementHints(const XConnection& x, ::Window w, ::Window leader, const Rect& bounds);
// A compositor's opacity: alpha x 0x01010101; no property at full opacity.
void SetOpacityProperty(const XConnection& x, ::Window w, bool layered, std::uint8_t alpha);
// The title in Windows-1252 as WM_NAME and as UTF-8 in _NET_WM_NAME.
void SetTitleProperties(const XConnection& x, ::Window w, std::string_view title);
void SetIconProperty(const XConnection& x, ::Window w, const IconImage& icon);
void SetDialogType(const XConnection& x, ::Window w, ::Window transient_for);

}  // namespace pf::linux_x
