#pragma once

#include "base/app_error.h"

namespace vantrel {

// A row or column outside the grid.
AppError subscriptOutOfRange();

// A value the grid cannot take: a negative row count or width, an unknown setting value.
AppError invalidGridValue();

}  // namespace vantrel
