#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace vantrel {

// One HTTP exchange, used as the window's download uses it: Open, send, then readyState and
// responseText. send() blocks until the exchange is over; a transport failure raises an AppError.
class HttpRequest {
public:
    static constexpr int ReadyStateComplete = 4;

    // Called by send() between the short steps of its wait, no more than 20 ms apart, so that the
    // caller's thread can do its own work meanwhile. Returning false stops the transfer, and send()
    // raises the cancelled-download error. Without one, send() simply waits.
    using KeepWaiting = std::function<bool()>;

    virtual ~HttpRequest() = default;
    virtual void Open(const QString& method, const QString& url, bool async) = 0;
    virtual void setKeepWaiting(KeepWaiting keepWaiting) = 0;
    virtual void send() = 0;
    virtual int readyState() const = 0;
    virtual QString responseText() const = 0;
};

// Makes a fresh request object for every download.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual std::unique_ptr<HttpRequest> createRequest() = 0;
};

}  // namespace vantrel
