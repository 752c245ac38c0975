// The IC instance list belongs to the worksheet model (model/ic_instances.h); the file routines,
// the editor, the IC windows and the tests that include it here see it through this header.
#pragma once

#include "model/ic_instances.h"
