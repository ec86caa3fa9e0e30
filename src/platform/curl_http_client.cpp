#include "platform/curl_http_client.h"

#include "platform/app_error.h"

namespace vantrel {

CurlHttpClient::CurlHttpClient(DownloadLimits limits) : limits_(limits) {}

std::unique_ptr<HttpRequest> CurlHttpClient::createRequest() {
    throw AppError(errors::InvalidArgument, QStringLiteral("not yet"));
}

}  // namespace vantrel
