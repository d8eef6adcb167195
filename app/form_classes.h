#pragma once
// The classes of the launcher's own form description, made from it by the build.

namespace app {

// Makes known to form descriptions exactly the classes the main form's description names: the
// program links no other button class (bc::RegisterClasses registers all five, for programs
// that read any description).
void RegisterFormClasses();

}  // namespace app
