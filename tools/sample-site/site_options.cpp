#include "sample-site/site_options.h"

#include <charconv>

namespace vantrel::site {
namespace {

std::optional<int> parsePort(const std::string& text) {
    int port = -1;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, port);
    if (text.empty() || error != std::errc() || at != end || port < 0 || port > 65535) {
        return std::nullopt;
    }
    return port;
}

ParsedOptions failure(std::string error) {
    return {std::nullopt, std::move(error)};
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& arguments) {
    SiteOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('=');
            name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--version" || name == "-v") {
            options.version = true;
            continue;
        }
        if (name != "--host" && name != "--port" && name != "--catalogue") {
            return failure(name.rfind('-', 0) == 0 ? "unknown option '" + arguments[i] + "'"
                                                   : "unexpected argument '" + arguments[i] + "'");
        }
        if (!value) {
            if (i + 1 == arguments.size()) {
                return failure(name + " needs a value");
            }
            value = arguments[++i];
        }
        if (name == "--host") {
            if (value->empty()) {
                return failure("--host needs a value");
            }
            options.host = *value;
        } else if (name == "--port") {
            const std::optional<int> port = parsePort(*value);
            if (!port) {
                return failure("--port wants a number from 0 to 65535, not '" + *value + "'");
            }
            options.port = *port;
        } else {
            if (value->empty()) {
                return failure("--catalogue needs a value");
            }
            options.catalogue = *value;
        }
    }
    return {options, {}};
}

std::string usageText(const std::string& program) {
    return "usage: " + program +
           " [--host H] [--port N] [--catalogue FILE]\n"
           "Serves the sample subtitle site (default 127.0.0.1:8086; --port 0 picks a free "
           "port).\n"
           "  --host H          address to listen on\n"
           "  --port N          port to listen on, 0 for any free one\n"
           "  --catalogue FILE  subtitle catalogue to serve (default: the bundled one)\n"
           "  -h, --help        show this text and exit\n"
           "  -v, --version     show the version and exit\n";
}

}  // namespace vantrel::site
