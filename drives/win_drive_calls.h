// The drive watcher's two system calls on Windows.
#pragma once

#include "drives/drive_block.h"

namespace qz::drives {

DriveCalls SystemDriveCalls();

}  // namespace qz::drives
