#include "http/curl_failure.h"

#include <QByteArray>
#include <QString>

namespace vantrel {
namespace {

// What, besides libcurl's code, tells one cause from another.
enum class When {
    Always,
    Stalled,          // our watch stopped a server that sent nothing for too long
    BodyTooLarge,     // our cap on the body
    HeadersTooLarge,  // our cap on the header blocks
    NotConnected,     // no connection had been made
    AwaitingHeaders,  // the last reply had not got through its header block
    SocketError,      // the system reported an error on the socket (reset, broken pipe)
    ChunkFraming,     // libcurl's message is about the chunked encoding
};

struct Cause {
    CURLcode code;
    When when;
    int number;
    const char* description;  // UTF-8
    bool showDetail;          // false where libcurl's message would mislead or says nothing
};

constexpr char kInvalidUrl[] = "无效的网址：只能下载 http 或 https 网址";
constexpr char kCutShort[] = "下载失败：连接中断";
constexpr char kNotUnderstood[] = "下载失败：网站的回应无法识别";
constexpr char kMalformed[] = "下载失败：网站的回应格式不正确";
constexpr char kHeadersTooLarge[] = "下载失败：网站的回应头过大";
constexpr char kTooLarge[] = "下载失败：页面过大";
constexpr char kSecure[] = "无法连接到服务器：无法建立安全连接";

// The first row whose code and condition fit a failure names its cause; a failure that fits no
// row is an unnamed download failure with libcurl's message.
constexpr Cause kCauses[] = {
    {CURLE_COULDNT_RESOLVE_HOST, When::Always, errors::CannotConnect,
     "无法连接到服务器：找不到主机", true},
    {CURLE_COULDNT_RESOLVE_PROXY, When::Always, errors::CannotConnect,
     "无法连接到服务器：找不到代理服务器", true},
    {CURLE_COULDNT_CONNECT, When::Always, errors::CannotConnect,
     "无法连接到服务器：连接被拒绝或无法建立", true},
    {CURLE_SSL_CONNECT_ERROR, When::Always, errors::CannotConnect, kSecure, true},
    {CURLE_PEER_FAILED_VERIFICATION, When::Always, errors::CannotConnect, kSecure, true},
    {CURLE_SSL_CERTPROBLEM, When::Always, errors::CannotConnect, kSecure, true},
    {CURLE_SSL_CIPHER, When::Always, errors::CannotConnect, kSecure, true},
    {CURLE_SSL_CACERT_BADFILE, When::Always, errors::CannotConnect, kSecure, true},

    {CURLE_OPERATION_TIMEDOUT, When::NotConnected, errors::DownloadTimeout,
     "连接超时：服务器没有在限定时间内接受连接", true},
    {CURLE_OPERATION_TIMEDOUT, When::Always, errors::DownloadTimeout,
     "下载超时：下载超过了限定时间", true},
    {CURLE_ABORTED_BY_CALLBACK, When::Stalled, errors::DownloadTimeout,
     "下载超时：服务器长时间没有发送数据", false},

    {CURLE_WRITE_ERROR, When::BodyTooLarge, errors::DownloadFailed, kTooLarge, false},
    {CURLE_FILESIZE_EXCEEDED, When::Always, errors::DownloadFailed, kTooLarge, false},
    {CURLE_WRITE_ERROR, When::HeadersTooLarge, errors::DownloadFailed, kHeadersTooLarge, false},
    // libcurl refuses a single header line over its own limit as if memory had run out.
    {CURLE_OUT_OF_MEMORY, When::AwaitingHeaders, errors::DownloadFailed, kHeadersTooLarge, false},
    {CURLE_TOO_MANY_REDIRECTS, When::Always, errors::DownloadFailed, "下载失败：重定向次数过多",
     true},
    {CURLE_GOT_NOTHING, When::Always, errors::DownloadFailed, "下载失败：服务器没有返回任何数据",
     true},

    // A reply that is not HTTP: no status line, an unknown version, a malformed status code.
    {CURLE_UNSUPPORTED_PROTOCOL, When::AwaitingHeaders, errors::DownloadFailed, kNotUnderstood,
     true},
    {CURLE_WEIRD_SERVER_REPLY, When::Always, errors::DownloadFailed, kNotUnderstood, true},
    {CURLE_HTTP2, When::Always, errors::DownloadFailed, kNotUnderstood, true},
    {CURLE_HTTP2_STREAM, When::Always, errors::DownloadFailed, kNotUnderstood, true},
    {CURLE_HTTP3, When::Always, errors::DownloadFailed, kNotUnderstood, true},
    {CURLE_RECV_ERROR, When::SocketError, errors::DownloadFailed, kCutShort, true},
    {CURLE_RECV_ERROR, When::ChunkFraming, errors::DownloadFailed, kMalformed, true},
    {CURLE_BAD_CONTENT_ENCODING, When::Always, errors::DownloadFailed, kMalformed, true},
    {CURLE_RECV_ERROR, When::Always, errors::DownloadFailed, kCutShort, true},
    {CURLE_SEND_ERROR, When::Always, errors::DownloadFailed, kCutShort, true},
    {CURLE_PARTIAL_FILE, When::Always, errors::DownloadFailed, kCutShort, true},
    {CURLE_OK, When::AwaitingHeaders, errors::DownloadFailed, kCutShort, false},

    // Left over: the scheme or form of an address that a redirect gave.
    {CURLE_UNSUPPORTED_PROTOCOL, When::Always, errors::InvalidUrl, kInvalidUrl, true},
    {CURLE_URL_MALFORMAT, When::Always, errors::InvalidUrl, kInvalidUrl, true},
};

bool holds(When when, const TransferFailure& failure) {
    switch (when) {
        case When::Always:
            return true;
        case When::Stalled:
            return failure.abort == TransferAbort::Stalled;
        case When::BodyTooLarge:
            return failure.abort == TransferAbort::BodyTooLarge;
        case When::HeadersTooLarge:
            return failure.abort == TransferAbort::HeadersTooLarge;
        case When::NotConnected:
            return !failure.connected;
        case When::AwaitingHeaders:
            return failure.awaitingHeaders;
        case When::SocketError:
            return failure.osErrno != 0;
        case When::ChunkFraming:
            // libcurl says so only in its message ("... in chunked-encoding").
            return QByteArray(failure.detail).toLower().contains("chunk");
    }
    return false;
}

AppError withDetail(int number, const QString& cause, const char* detail) {
    QString description = cause;
    const QString extra = QString::fromUtf8(detail).trimmed();
    if (!extra.isEmpty()) {
        description += QStringLiteral("（%1）").arg(extra);
    }
    return AppError(number, description);
}

}  // namespace

AppError invalidUrlError(const char* detail) {
    return withDetail(errors::InvalidUrl, QString::fromUtf8(kInvalidUrl), detail);
}

AppError downloadError(const TransferFailure& failure) {
    for (const Cause& cause : kCauses) {
        if (cause.code == failure.code && holds(cause.when, failure)) {
            return withDetail(cause.number, QString::fromUtf8(cause.description),
                              cause.showDetail ? failure.detail : "");
        }
    }
    return withDetail(errors::DownloadFailed, QStringLiteral("下载失败"), failure.detail);
}

}  // namespace vantrel
