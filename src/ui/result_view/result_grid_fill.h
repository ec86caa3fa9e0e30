#pragma once

#include <QString>

namespace vantrel {

class Grid;
class HiddenTextField;

// Fills the result grid from a marked page: one row per record with its eight fields, " " where a
// record lacks one, and the download mark in column 0. The record field holds the last record
// parsed afterwards. A page with more records than the grid can number raises an overflow error
// before the grid changes.
void fillGridFromPage(const QString& page, Grid& grid, HiddenTextField& recordField);

}  // namespace vantrel
