#pragma once

#include "http/http_request.h"

#include <QtGlobal>

#include <chrono>

namespace vantrel {

// Bounds on one download, so that a stalled or endless server cannot hold the window.
struct DownloadLimits {
    std::chrono::milliseconds connectTimeout{15'000};
    std::chrono::milliseconds stallTimeout{30'000};  // no byte received for this long
    std::chrono::milliseconds totalTimeout{120'000};
    qint64 maxBodyBytes = 64 * 1024 * 1024;
    long maxRedirects = 10;
    qint64 maxHeaderBytes = 256 * 1024;  // all header blocks of one download, redirects included
};

// HTTP requests made with libcurl, synchronously.
class CurlHttpClient final : public HttpClient {
public:
    explicit CurlHttpClient(DownloadLimits limits = {});
    std::unique_ptr<HttpRequest> createRequest() override;

private:
    DownloadLimits limits_;
};

}  // namespace vantrel
