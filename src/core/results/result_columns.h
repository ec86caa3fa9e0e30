#pragma once

namespace vantrel {

// The columns of the result grid. Column 0 carries the download mark; the others hold the eight
// fields of a result record, in the order the records are read (field = column - FileId).
enum ResultColumn : int {
    DownloadMark,
    FileId,
    FileName,
    Format,
    Language,
    Version,
    Parts,
    FilmName,
    UploadDate,
    ResultColumnCount
};

constexpr int kResultFieldCount = ResultColumnCount - FileId;

constexpr int fieldIndex(ResultColumn column) {
    return column - FileId;
}

}  // namespace vantrel
