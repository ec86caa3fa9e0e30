#pragma once

#include "release/release_name.h"

#include <QObject>

#include <vector>

namespace vantrel {

class Grid;

// Marks the result rows whose name or version give the release of the video that the search
// started from, on every page of that search. Rows are read when the grid first shows them,
// so that a page of thousands of rows costs only what is on screen.
class VideoReleaseMarks final : public QObject {
public:
    VideoReleaseMarks(Grid& grid, QObject* parent);

    // The video of the search now starting; an empty name for a search typed by hand.
    void setVideo(ReleaseName video);
    const ReleaseName& video() const { return video_; }
    // The grid holds another page.
    void pageShown();

private:
    bool isVideoRelease(int row);

    Grid& grid_;
    ReleaseName video_;
    enum class Answer : signed char { Unknown, Yes, No };
    std::vector<Answer> answers_;  // by grid row, read as the rows show
};

}  // namespace vantrel
