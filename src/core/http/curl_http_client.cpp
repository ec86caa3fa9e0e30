#include "http/curl_http_client.h"

#include "base/app_error.h"
#include "base/version.h"
#include "http/body_text.h"
#include "http/curl_failure.h"
#include "http/curl_steps.h"
#include "http/wire_url.h"

#include <curl/curl.h>

#include <QByteArray>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <utility>

namespace vantrel {
namespace {

using Clock = std::chrono::steady_clock;

// libcurl wants one global initialisation before the first handle; a function-local static makes
// it happen once, thread-safely, and cleans up at exit.
void ensureCurlInitialised() {
    struct CurlGlobal {
        CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
        ~CurlGlobal() { curl_global_cleanup(); }
        CurlGlobal(const CurlGlobal&) = delete;
        CurlGlobal& operator=(const CurlGlobal&) = delete;
    };
    static const CurlGlobal global;
}

struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;

struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct CurlStringDeleter {
    void operator()(char* text) const { curl_free(text); }
};

// Refuses, before anything goes on the wire, what is not an absolute http or https URL: the
// placeholder text of the URL field, an empty text, another scheme.
void checkHttpUrl(const QByteArray& wireUrl) {
    const std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
    if (!url) {
        throw std::bad_alloc();
    }
    const CURLUcode parsed = curl_url_set(url.get(), CURLUPART_URL, wireUrl.constData(), 0);
    if (parsed != CURLUE_OK) {
        throw invalidUrlError(curl_url_strerror(parsed));
    }
    char* rawScheme = nullptr;
    const CURLUcode got = curl_url_get(url.get(), CURLUPART_SCHEME, &rawScheme, 0);
    const std::unique_ptr<char, CurlStringDeleter> scheme(rawScheme);
    if (got != CURLUE_OK || !scheme ||
        (std::strcmp(scheme.get(), "http") != 0 && std::strcmp(scheme.get(), "https") != 0)) {
        throw invalidUrlError("");
    }
}

// The Content-Type of the last reply, after redirects, as libcurl read it (folded lines joined).
QByteArray lastContentType(CURL* handle) {
    curl_header* header = nullptr;
    if (curl_easy_header(handle, "Content-Type", 0, CURLH_HEADER, -1, &header) != CURLHE_OK) {
        return {};
    }
    // Of several, the last counts.
    curl_easy_header(handle, "Content-Type", header->amount - 1, CURLH_HEADER, -1, &header);
    return QByteArray(header->value);
}

// What the callbacks of one transfer share with it: the body's text so far and the watch on the
// bounds.
class Transfer {
public:
    Transfer(CURL* handle, const DownloadLimits& limits) : handle_(handle), limits_(limits) {}

    static size_t onBody(char* data, size_t size, size_t count, void* self) {
        return static_cast<Transfer*>(self)->receiveBody(data, size * count);
    }
    static size_t onHeader(char* data, size_t size, size_t count, void* self) {
        return static_cast<Transfer*>(self)->receiveHeader(data, size * count);
    }
    static int onProgress(void* self, curl_off_t, curl_off_t received, curl_off_t, curl_off_t) {
        return static_cast<Transfer*>(self)->checkStall(received);
    }

    // Whether the reply to the last request sent never finished its header block.
    bool awaitingHeaders() const { return requestBytes() > answeredRequestBytes_; }

    // The text of the body, once the transfer is over.
    QString takeText() {
        if (!text_) {
            text_.emplace(lastContentType(handle_), 0);  // no body came
        }
        return text_->finish();
    }

    TransferAbort abort = TransferAbort::None;
    bool outOfMemory = false;

private:
    size_t receiveBody(const char* data, size_t length) {
        lastArrival_ = Clock::now();
        // Checked here and not by a size option: a chunked body announces no length.
        if (static_cast<qint64>(length) > limits_.maxBodyBytes - bodyBytes_) {
            abort = TransferAbort::BodyTooLarge;
            return 0;
        }
        bodyBytes_ += static_cast<qint64>(length);
        try {
            // The reply's headers are all in when its body starts: the last one's, after any
            // redirects, since libcurl passes on no body of a reply it follows.
            if (!text_) {
                curl_off_t announced = -1;
                curl_easy_getinfo(handle_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
                text_.emplace(lastContentType(handle_),
                              std::min<qint64>(announced, limits_.maxBodyBytes));
            }
            text_->append(QByteArrayView(data, static_cast<qsizetype>(length)));
        } catch (const std::bad_alloc&) {
            outOfMemory = true;  // no exception may cross libcurl
            return 0;
        }
        return length;
    }

    size_t receiveHeader(const char* data, size_t length) {
        lastArrival_ = Clock::now();
        headerBytes_ += static_cast<qint64>(length);
        if (headerBytes_ > limits_.maxHeaderBytes) {
            abort = TransferAbort::HeadersTooLarge;
            return 0;
        }
        // The blank line ends a reply's header block: every request sent so far is answered.
        if (length > 0 && length <= 2 && (data[0] == '\r' || data[0] == '\n')) {
            answeredRequestBytes_ = requestBytes();
        }
        return length;
    }

    // The bytes of all requests sent so far; it grows with every request, redirects included.
    long requestBytes() const {
        long bytes = 0;
        curl_easy_getinfo(handle_, CURLINFO_REQUEST_SIZE, &bytes);
        return bytes;
    }

    int checkStall(curl_off_t received) {
        const Clock::time_point now = Clock::now();
        if (received != lastReceived_) {
            lastReceived_ = received;
            lastArrival_ = now;
        }
        if (now - lastArrival_ > limits_.stallTimeout) {
            abort = TransferAbort::Stalled;
            return 1;
        }
        return 0;
    }

    CURL* handle_;
    const DownloadLimits& limits_;
    std::optional<BodyTextDecoder> text_;
    qint64 bodyBytes_ = 0;
    Clock::time_point lastArrival_ = Clock::now();
    curl_off_t lastReceived_ = 0;
    qint64 headerBytes_ = 0;
    long answeredRequestBytes_ = 0;
};

template <typename Value>
void setOption(CURL* handle, CURLoption option, Value value) {
    if (curl_easy_setopt(handle, option, value) != CURLE_OK) {
        throw AppError(errors::DownloadFailed, QStringLiteral("下载失败：无法设置下载参数"));
    }
}

// Some sites refuse requests that do not name their client.
constexpr char kUserAgent[] = "Vantrel/" VANTREL_VERSION;

TransferFailure failureOf(CURL* handle, CURLcode result, const Transfer& transfer,
                          const char* message) {
    curl_off_t connectTime = 0;
    curl_easy_getinfo(handle, CURLINFO_CONNECT_TIME_T, &connectTime);
    long osErrno = 0;
    curl_easy_getinfo(handle, CURLINFO_OS_ERRNO, &osErrno);
    return TransferFailure{
        result,          transfer.abort,
        connectTime > 0, transfer.awaitingHeaders(),
        osErrno,         message[0] != '\0' ? message : curl_easy_strerror(result)};
}

class CurlHttpRequest final : public HttpRequest {
public:
    explicit CurlHttpRequest(const DownloadLimits& limits) : limits_(limits) {
        ensureCurlInitialised();
    }

    void Open(const QString& method, const QString& url, bool async) override {
        if (async) {
            throw AppError(errors::InvalidArgument,
                           QStringLiteral("无效的过程调用或参数：只支持同步请求"));
        }
        if (method.compare(QLatin1String("GET"), Qt::CaseInsensitive) != 0) {
            throw AppError(errors::InvalidArgument,
                           QStringLiteral("无效的过程调用或参数：只支持 GET 请求"));
        }
        QByteArray wireUrl = toWireUrl(url);
        checkHttpUrl(wireUrl);
        wireUrl_ = std::move(wireUrl);
        text_.clear();
        readyState_ = kOpened;
    }

    void send() override {
        if (readyState_ != kOpened) {
            throw AppError(errors::InvalidArgument,
                           QStringLiteral("无效的过程调用或参数：请求尚未打开"));
        }
        const EasyHandle handle(curl_easy_init());
        if (!handle) {
            throw std::bad_alloc();
        }
        Transfer transfer(handle.get(), limits_);
        char message[CURL_ERROR_SIZE] = {};
        configure(handle.get(), transfer, message);

        const CURLcode result = performInSteps(handle.get(), keepWaiting_);
        if (transfer.outOfMemory) {
            throw std::bad_alloc();
        }
        if (result != CURLE_OK || transfer.awaitingHeaders()) {
            throw downloadError(failureOf(handle.get(), result, transfer, message));
        }
        text_ = transfer.takeText();
        readyState_ = ReadyStateComplete;
    }

    void setKeepWaiting(KeepWaiting keepWaiting) override { keepWaiting_ = std::move(keepWaiting); }

    int readyState() const override { return readyState_; }
    QString responseText() const override { return text_; }

private:
    static constexpr int kOpened = 1;

    void configure(CURL* handle, Transfer& transfer, char* message) const {
        setOption(handle, CURLOPT_URL, wireUrl_.constData());
        setOption(handle, CURLOPT_ERRORBUFFER, message);
        setOption(handle, CURLOPT_NOSIGNAL, 1L);
        setOption(handle, CURLOPT_PROTOCOLS_STR, "http,https");
        setOption(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        setOption(handle, CURLOPT_FOLLOWLOCATION, 1L);
        setOption(handle, CURLOPT_MAXREDIRS, limits_.maxRedirects);
        setOption(handle, CURLOPT_USERAGENT, kUserAgent);
        setOption(handle, CURLOPT_ACCEPT_ENCODING, "");  // every encoding libcurl can decode
        setOption(handle, CURLOPT_CONNECTTIMEOUT_MS,
                  static_cast<long>(limits_.connectTimeout.count()));
        setOption(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(limits_.totalTimeout.count()));
        setOption(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits_.maxBodyBytes));
        setOption(handle, CURLOPT_WRITEFUNCTION, &Transfer::onBody);
        setOption(handle, CURLOPT_WRITEDATA, static_cast<void*>(&transfer));
        setOption(handle, CURLOPT_HEADERFUNCTION, &Transfer::onHeader);
        setOption(handle, CURLOPT_HEADERDATA, static_cast<void*>(&transfer));
        setOption(handle, CURLOPT_XFERINFOFUNCTION, &Transfer::onProgress);
        setOption(handle, CURLOPT_XFERINFODATA, static_cast<void*>(&transfer));
        setOption(handle, CURLOPT_NOPROGRESS, 0L);
    }

    DownloadLimits limits_;
    int readyState_ = 0;
    QByteArray wireUrl_;
    QString text_;
    KeepWaiting keepWaiting_;
};

}  // namespace

CurlHttpClient::CurlHttpClient(DownloadLimits limits) : limits_(limits) {}

std::unique_ptr<HttpRequest> CurlHttpClient::createRequest() {
    return std::make_unique<CurlHttpRequest>(limits_);
}

}  // namespace vantrel
