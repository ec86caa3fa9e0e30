#pragma once

#include "base/app_error.h"

#include <curl/curl.h>

namespace vantrel {

// Why our own callbacks stopped a transfer; libcurl only reports that they did.
enum class TransferAbort { None, Stalled, BodyTooLarge, HeadersTooLarge };

// What is known about a transfer that did not give a page.
struct TransferFailure {
    CURLcode code = CURLE_OK;
    TransferAbort abort = TransferAbort::None;
    bool connected = false;  // a connection to the server had been made
    // The reply to the last request sent had not got through its header block: what failed is
    // the server's reply, not the address of a redirect. With CURLE_OK it means the reply was cut
    // off in its headers, which libcurl lets pass.
    bool awaitingHeaders = false;
    long osErrno = 0;         // the socket error libcurl saw, 0 for none
    const char* detail = "";  // libcurl's own message, may be empty
};

// The error the window shows for a failed transfer: a number per class of failure and a Chinese
// description naming the cause, followed by libcurl's message where that helps.
AppError downloadError(const TransferFailure& failure);

// The error for a URL that is not an absolute http or https URL.
AppError invalidUrlError(const char* detail);

}  // namespace vantrel
