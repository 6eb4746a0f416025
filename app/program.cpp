#include "app/Main.h"
#include "app/description.h"
#include "ui/application.h"

namespace qz::app {

int RunProgram() {
  // Libraries that are not known to the system come from the system folder only, never from the program's.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // A listed drive without a medium reports an error to the program instead of a system dialog.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  try {
    TApplication application;
    Application = &application;
    Application->Initialize();
    Application->SetTitle(kTitle);
    Application->CreateForm(Form1);
    Application->Run();
    Application = nullptr;
  } catch (const Exception& e) {
    TApplication::ShowLastResort(e);
    return 1;
  }
  return 0;
}

}  // namespace qz::app
