// The UI thread's COM apartment, which the program joins before its main form and leaves at
// its end: ShellExecuteEx asks for it (the handler it starts may be a COM object), and the
// screen readers' server and the endpoint's mute use it.
#include "platform/win32/com.h"
#include "platform/win32/platform_win32.h"

namespace pf::win32 {
namespace {

class Win32Apartment : public Apartment {
 public:
  ComApartment com;
};

}  // namespace

// Where COM cannot start, nothing is refused: the shell is asked all the same, the screen readers
// get the system's own object for the window, and the endpoint's mute stays as the mixer left it.
std::unique_ptr<Apartment> Win32Platform::JoinApartment() {
  auto apartment = std::make_unique<Win32Apartment>();
  if (!apartment->com.Usable()) return nullptr;
  return apartment;
}

}  // namespace pf::win32
