#include "platform/shared/sys_colors.h"

namespace pf {

ColorRef DefaultSysColor(int index) {
  switch (index) {
    case 5: return 0x00FFFFFF;   // window
    case 8: return 0x00000000;   // window text
    case 13: return 0x00D77800;  // highlight (selected text's background)
    case 14: return 0x00FFFFFF;  // highlight text
    case 15: return 0x00F0F0F0;  // button face
    case 16: return 0x00A0A0A0;  // button shadow
    case 18: return 0x00000000;  // button text
    case 20: return 0x00FFFFFF;  // button highlight
    default: return 0x00C0C0C0;
  }
}

}  // namespace pf
