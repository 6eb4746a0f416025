#include <windows.h>

#include "app/Main.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return qz::app::RunProgram(); }
