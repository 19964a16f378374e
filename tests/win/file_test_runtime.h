// The runtime of the file command tests, initialised once from a small program header that names the core
// library and the OS interface library; each test works in a scratch folder of its own.
#pragma once

#include "tests/support/scratch_folder.h"
