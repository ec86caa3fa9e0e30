#pragma once

#include <QString>

#include <httplib.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantrel::testing {

// An HTTP server on 127.0.0.1 and a free port, answering on its own thread while it lives. It
// records the raw target of every request through the pre-routing hook (routes that set their own
// pre-routing handler replace that record).
class LoopbackServer {
public:
    // routes registers handlers before the server starts listening.
    explicit LoopbackServer(const std::function<void(httplib::Server&)>& routes);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    QString host() const;                      // "127.0.0.1:PORT"
    QString baseUrl() const;                   // "http://127.0.0.1:PORT"
    std::vector<std::string> targets() const;  // raw request targets as received, in order

private:
    httplib::Server server_;
    int port_ = -1;
    mutable std::mutex targetsMutex_;
    std::vector<std::string> targets_;
    std::atomic<bool> loopEnded_{false};
    std::thread thread_;
};

// A port on 127.0.0.1 that is bound but never listens, so connecting to it is refused; held, so
// that nobody else takes it meanwhile.
class ClosedPort {
public:
    ClosedPort();
    ~ClosedPort();
    ClosedPort(const ClosedPort&) = delete;
    ClosedPort& operator=(const ClosedPort&) = delete;

    QString baseUrl() const;  // "http://127.0.0.1:PORT"

private:
    int socket_ = -1;
    int port_ = -1;
};

}  // namespace vantrel::testing
