#pragma once

// Reading an HTTP request as the loopback servers of the tests and the benchmarks do: the head
// alone, and from it the target they choose their reply by.
#include <sys/socket.h>
#include <sys/types.h>

#include <string>

namespace vantrel::testing {

// What the client sent up to the blank line that ends the head (and whatever came with it), or
// until it stopped sending.
inline std::string readRequestHead(int connection) {
    std::string head;
    char buffer[4096];
    for (ssize_t got; head.find("\r\n\r\n") == std::string::npos &&
                      (got = ::recv(connection, buffer, sizeof buffer, 0)) > 0;) {
        head.append(buffer, static_cast<size_t>(got));
    }
    return head;
}

// "GET /target HTTP/1.1": the target stands between the first two blanks.
inline std::string requestTarget(const std::string& head) {
    const size_t start = head.find(' ') + 1;
    return head.substr(start, head.find(' ', start) - start);
}

}  // namespace vantrel::testing
