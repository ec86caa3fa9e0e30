#pragma once

#include <QString>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantrel::testing {

// What the raw server sends for one request target, byte for byte, before it ends the connection.
struct RawReply {
    std::string bytes;
    bool reset = false;  // end with a TCP reset instead of an orderly close
};

// A server on 127.0.0.1 that answers each request with fixed bytes, valid HTTP or not, so that
// tests can play a broken server. One connection at a time, one request per connection; a target
// without a reply gets none.
class RawReplyServer {
public:
    explicit RawReplyServer(std::map<std::string, RawReply> replies);
    ~RawReplyServer();
    RawReplyServer(const RawReplyServer&) = delete;
    RawReplyServer& operator=(const RawReplyServer&) = delete;

    QString baseUrl() const;                    // "http://127.0.0.1:PORT"
    std::vector<std::string> requests() const;  // each request's head as received, in order

private:
    void serve(int connection);

    const std::map<std::string, RawReply> replies_;
    int listener_ = -1;
    int port_ = -1;
    std::atomic<bool> stopping_{false};
    mutable std::mutex requestsMutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace vantrel::testing
