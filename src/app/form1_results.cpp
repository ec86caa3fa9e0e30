// Filling the grid from a downloaded page, and opening a chosen result.
#include "app/form1.h"

namespace vantrel {

void Form1::ShowResults() {
    // Filled in with the result parser.
}

void Form1::Grid1_RowActivate(int, int) {
    // Filled in with the result parser.
}

}  // namespace vantrel
