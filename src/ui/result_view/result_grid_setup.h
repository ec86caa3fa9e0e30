#pragma once

namespace vantrel {

class Grid;

// The look, column widths and header texts of the result grid, set once when the window loads.
void SetUpResultGrid(Grid& grid);

}  // namespace vantrel
