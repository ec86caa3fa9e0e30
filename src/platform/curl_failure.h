#pragma once

#include "platform/app_error.h"

#include <curl/curl.h>

namespace vantrel {

// Why our own callbacks stopped a transfer; libcurl only reports that they did.
enum class TransferAbort { None, Stalled, BodyTooLarge };

struct TransferFailure {
    CURLcode code = CURLE_OK;
    TransferAbort abort = TransferAbort::None;
    bool connected = false;   // a connection to the server had been made
    const char* detail = "";  // libcurl's own message, may be empty
};

// The error the window shows for a failed transfer: a number per class of failure and a Chinese
// description naming the cause, followed by libcurl's message.
AppError downloadError(const TransferFailure& failure);

// The error for a URL that is not an absolute http or https URL.
AppError invalidUrlError(const char* detail);

}  // namespace vantrel
