// Where the program starts, on every platform: the native platform runs Quenfor. (On Windows the
// runtime's start-up calls main in a windows-subsystem program as in a console one.)
#include "app/quenfor.h"
#include "platform/native_entry.h"

int main() { return pf::RunNativeProgram("Quenfor", Quenfor); }
