#include "app/result_grid_setup.h"

#include "grid/grid.h"

namespace vantrel {

void SetUpResultGrid(Grid&) {
    // Filled in with the grid component.
}

}  // namespace vantrel
