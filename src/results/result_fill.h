#pragma once

#include <QString>

namespace vantrel {

class Grid;
class HiddenTextField;

// The most records one page may hold: row numbers are 16-bit, and row 0 is the header.
constexpr int kMaxRecordsPerPage = 32766;

// Fills the grid from a marked page: one row per record with its eight fields in columns 1 to 8
// (" " where a record lacks a field) and the download mark in column 0. Each record passes
// through recordField, which holds the last one afterwards. A page with more records than the
// grid can number raises an overflow error before the grid changes.
void fillGridFromPage(const QString& page, Grid& grid, HiddenTextField& recordField);

}  // namespace vantrel
