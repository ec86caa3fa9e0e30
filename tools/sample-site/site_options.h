#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrel::site {

struct SiteOptions {
    std::string host = "127.0.0.1";  // loopback unless told otherwise
    int port = 8086;                 // 0: any free port
    std::string catalogue;           // empty: look for the bundled one
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    std::optional<SiteOptions> options;  // absent when the arguments are wrong
    std::string error;                   // what is wrong with them
};

// The command line without the program name: --host H, --port N, --catalogue FILE (also as
// --name=value), --help and --version.
ParsedOptions parseOptions(const std::vector<std::string>& arguments);

std::string usageText(const std::string& program);

}  // namespace vantrel::site
