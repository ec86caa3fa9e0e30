#pragma once

#include <QString>

#include <httplib.h>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantrel::testing {

// A TCP socket bound to a free port on 127.0.0.1, held so that nobody else takes the port. While
// nothing listens on it (a ClosedPort), connecting to it is refused.
class LoopbackSocket {
public:
    LoopbackSocket();
    ~LoopbackSocket();
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }

protected:
    const int socket_;
    int port_ = -1;
};
using ClosedPort = LoopbackSocket;

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

    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    QString baseUrl() const { return QStringLiteral("http://") + host(); }
    std::vector<std::string> targets() const;  // raw request targets as received, in order

private:
    httplib::Server server_;
    int port_ = -1;
    mutable std::mutex targetsMutex_;
    std::vector<std::string> targets_;
    std::atomic<bool> loopEnded_{false};
    std::thread thread_;
};

// What the raw server sends for one request target, byte for byte, before it ends the connection.
struct RawReply {
    std::string bytes;
    bool reset = false;  // end with a TCP reset instead of an orderly close
};

// A server on a loopback socket that answers each request with fixed bytes, valid HTTP or not, so
// that tests can play a broken server. One connection at a time, one request per connection; a
// target without a reply gets none.
class RawReplyServer : public LoopbackSocket {
public:
    explicit RawReplyServer(std::map<std::string, RawReply> replies);
    ~RawReplyServer();

    std::vector<std::string> requests() const;  // each request's head as received, in order

private:
    void serve(int connection);

    const std::map<std::string, RawReply> replies_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex requestsMutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace vantrel::testing
