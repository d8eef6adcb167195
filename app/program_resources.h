#pragma once
// Makes the program's resources (the form description "Form_Main") known to the platform.
// Where the executable has a resource section it is already there and this does nothing;
// elsewhere it registers the linked-in bytes (a file generated at build time).
namespace app {

void RegisterProgramResources();

}  // namespace app
