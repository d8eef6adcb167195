// The program's own definition of the runtime's default terminate handler. The runtime's prints
// the uncaught exception's demangled type to stderr, which a windows-subsystem program does not
// have, and brings 46 KB of demangler into the executable; this one only aborts, as the runtime's
// does after printing. Linked into the program only (the tests keep the runtime's).
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
