#include "app/Main.h"

namespace qz::app {

void WriteFirmwareToDrive() {}

void ShowChangeList() {}

}  // namespace qz::app
