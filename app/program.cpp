#include <objbase.h>

#include <new>

#include "app/Main.h"
#include "app/description.h"
#include "ui/application.h"

namespace qz::app {

int RunProgram() {
  // Libraries that are not known to the system come from the system folder only, never from the program's.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // A listed drive without a medium reports an error to the program instead of a system dialog.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // The shell may hand the change list to a COM-based handler.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
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
  } catch (const std::bad_alloc&) {
    TApplication::ShowLastResort(EOutOfMemory(kOutOfMemory));
    return 1;
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return 0;
}

}  // namespace qz::app
