#include <windows.h>

#include <cstdlib>

#include "app/Main.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return qz::app::RunProgram(); }

// A GUI program has nowhere to print an uncaught exception's name; ending at once keeps the run time's name
// demangler (tens of kilobytes) out of the executable.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
