#pragma once

#include <QString>

#include <memory>

namespace vantrel {

// One HTTP exchange, used as the window's download uses it: Open, send, then readyState and
// responseText. send() blocks until the exchange is over; a transport failure raises an AppError.
class HttpRequest {
public:
    static constexpr int ReadyStateComplete = 4;

    virtual ~HttpRequest() = default;
    virtual void Open(const QString& method, const QString& url, bool async) = 0;
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
