#include "result_view/video_release_marks.h"

#include "grid/grid.h"
#include "release/video_file.h"
#include "results/result_columns.h"

#include <utility>

namespace vantrel {

VideoReleaseMarks::VideoReleaseMarks(Grid& grid, QObject* parent) : QObject(parent), grid_(grid) {
    grid_.setVideoReleaseRows([this](int row) { return isVideoRelease(row); });
}

void VideoReleaseMarks::setVideo(ReleaseName video) {
    video_ = std::move(video);
    pageShown();
}

void VideoReleaseMarks::pageShown() {
    answers_.assign(static_cast<std::size_t>(grid_.Rows()), Answer::Unknown);
    grid_.refreshRowMarks();
}

bool VideoReleaseMarks::isVideoRelease(int row) {
    if (video_.source.isEmpty() && video_.resolution.isEmpty()) {
        return false;
    }
    if (row <= 0 || row >= static_cast<int>(answers_.size())) {
        return false;
    }
    Answer& answer = answers_[static_cast<std::size_t>(row)];
    if (answer == Answer::Unknown) {
        const bool yes = carriesRelease(grid_.Cell(row, FileName).Text(), video_) ||
                         carriesRelease(grid_.Cell(row, Version).Text(), video_);
        answer = yes ? Answer::Yes : Answer::No;
    }
    return answer == Answer::Yes;
}

}  // namespace vantrel
