#include "app/Main.h"

namespace qz::app {

void ShowChangeList() {}

}  // namespace qz::app
