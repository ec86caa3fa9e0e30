#include "platform/curl_failure.h"

#include <QString>

namespace vantrel {
namespace {

AppError withDetail(int number, const QString& cause, const char* detail) {
    QString description = cause;
    const QString extra = QString::fromUtf8(detail).trimmed();
    if (!extra.isEmpty()) {
        description += QStringLiteral("（%1）").arg(extra);
    }
    return AppError(number, description);
}

QString timeoutCause(const TransferFailure& failure) {
    if (failure.abort == TransferAbort::Stalled) {
        return QStringLiteral("下载超时：服务器长时间没有发送数据");
    }
    if (!failure.connected) {
        return QStringLiteral("连接超时：服务器没有在限定时间内接受连接");
    }
    return QStringLiteral("下载超时：下载超过了限定时间");
}

}  // namespace

AppError invalidUrlError(const char* detail) {
    return withDetail(errors::InvalidUrl, QStringLiteral("无效的网址：只能下载 http 或 https 网址"),
                      detail);
}

AppError downloadError(const TransferFailure& failure) {
    const char* detail = failure.detail;
    switch (failure.code) {
        case CURLE_COULDNT_RESOLVE_HOST:
            return withDetail(errors::CannotConnect, QStringLiteral("无法连接到服务器：找不到主机"),
                              detail);
        case CURLE_COULDNT_RESOLVE_PROXY:
            return withDetail(errors::CannotConnect,
                              QStringLiteral("无法连接到服务器：找不到代理服务器"), detail);
        case CURLE_COULDNT_CONNECT:
            return withDetail(errors::CannotConnect,
                              QStringLiteral("无法连接到服务器：连接被拒绝或无法建立"), detail);
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
            return withDetail(errors::CannotConnect,
                              QStringLiteral("无法连接到服务器：无法建立安全连接"), detail);
        case CURLE_OPERATION_TIMEDOUT:
            return withDetail(errors::DownloadTimeout, timeoutCause(failure), detail);
        case CURLE_ABORTED_BY_CALLBACK:
            if (failure.abort == TransferAbort::Stalled) {
                return withDetail(errors::DownloadTimeout, timeoutCause(failure), "");
            }
            break;
        case CURLE_WRITE_ERROR:
        case CURLE_FILESIZE_EXCEEDED:
            if (failure.abort == TransferAbort::BodyTooLarge ||
                failure.code == CURLE_FILESIZE_EXCEEDED) {
                return withDetail(errors::DownloadFailed, QStringLiteral("下载失败：页面过大"), "");
            }
            break;
        case CURLE_TOO_MANY_REDIRECTS:
            return withDetail(errors::DownloadFailed, QStringLiteral("下载失败：重定向次数过多"),
                              detail);
        case CURLE_GOT_NOTHING:
            return withDetail(errors::DownloadFailed,
                              QStringLiteral("下载失败：服务器没有返回任何数据"), detail);
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
            return withDetail(errors::DownloadFailed, QStringLiteral("下载失败：连接中断"), detail);
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_URL_MALFORMAT:
            return invalidUrlError(detail);
        default:
            break;
    }
    return withDetail(errors::DownloadFailed, QStringLiteral("下载失败"), detail);
}

}  // namespace vantrel
