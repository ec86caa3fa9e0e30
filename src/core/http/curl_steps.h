#pragma once

#include "http/http_request.h"

#include <curl/curl.h>

namespace vantrel {

// Performs the transfer that the easy handle describes, in steps of at most 20 ms, and calls
// keepWaiting (when given) between them. Returns libcurl's result for the transfer; raises the
// cancelled-download error, with the transfer stopped, once keepWaiting returns false.
CURLcode performInSteps(CURL* easy, const HttpRequest::KeepWaiting& keepWaiting);

}  // namespace vantrel
