#include "http/curl_steps.h"

#include "base/app_error.h"

#include <QString>

#include <memory>
#include <new>

namespace vantrel {
namespace {

// Short enough that a window waiting on the transfer never looks frozen.
constexpr int kStepMilliseconds = 20;

struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using MultiHandle = std::unique_ptr<CURLM, MultiDeleter>;

// Keeps the easy handle in the multi handle for one transfer; it must leave before either goes.
class Attached {
public:
    Attached(CURLM* multi, CURL* easy) : multi_(multi), easy_(easy) {
        if (curl_multi_add_handle(multi_, easy_) != CURLM_OK) {
            throw std::bad_alloc();
        }
    }
    ~Attached() { curl_multi_remove_handle(multi_, easy_); }
    Attached(const Attached&) = delete;
    Attached& operator=(const Attached&) = delete;

private:
    CURLM* multi_;
    CURL* easy_;
};

// The multi interface's own failures are programming or resource faults, never the site's.
CURLcode asTransferResult(CURLMcode code) {
    if (code == CURLM_OUT_OF_MEMORY) {
        throw std::bad_alloc();
    }
    return CURLE_FAILED_INIT;
}

}  // namespace

CURLcode performInSteps(CURL* easy, const HttpRequest::KeepWaiting& keepWaiting) {
    const MultiHandle multi(curl_multi_init());
    if (!multi) {
        throw std::bad_alloc();
    }
    const Attached attached(multi.get(), easy);
    for (;;) {
        int running = 0;
        const CURLMcode performed = curl_multi_perform(multi.get(), &running);
        if (performed != CURLM_OK) {
            return asTransferResult(performed);
        }
        if (running == 0) {
            int left = 0;
            while (const CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
                if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
                    return message->data.result;
                }
            }
            return CURLE_FAILED_INIT;
        }
        if (keepWaiting && !keepWaiting()) {
            throw AppError(errors::DownloadCancelled, QStringLiteral("下载已取消"));
        }
        const CURLMcode polled =
            curl_multi_poll(multi.get(), nullptr, 0, kStepMilliseconds, nullptr);
        if (polled != CURLM_OK) {
            return asTransferResult(polled);
        }
    }
}

}  // namespace vantrel
