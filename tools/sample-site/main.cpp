// vantrel-site: serves the sample subtitle site until SIGINT or SIGTERM.
#include "base/version.h"
#include "sample-site/catalogue.h"
#include "sample-site/catalogue_location.h"
#include "sample-site/site_build_config.h"
#include "sample-site/site_options.h"
#include "sample-site/site_server.h"

#include <pthread.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <future>
#include <thread>

namespace {

namespace site = vantrel::site;

std::filesystem::path programDir(const char* argv0) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::absolute(argv0, error) : self).parent_path();
}

std::optional<std::filesystem::path> chooseCatalogue(const site::SiteOptions& options,
                                                     const char* argv0) {
    if (!options.catalogue.empty()) {
        return std::filesystem::path(options.catalogue);
    }
    return site::findCatalogue(programDir(argv0));
}

// Waits for SIGINT or SIGTERM on its own thread (both are blocked everywhere else) and stops
// the server from there, outside any signal handler. A signal that comes before the server
// runs is not lost: the stop is repeated until serve() has returned.
class SignalWatcher {
public:
    SignalWatcher(site::SiteServer& server, const sigset_t& signals, std::future<void> served)
        : thread_([&server, signals, served = std::move(served)] {
              int signal = 0;
              sigwait(&signals, &signal);
              do {
                  server.stop();
              } while (served.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready);
          }) {}
    ~SignalWatcher() {
        // When the server ended on its own, wake the watcher so that it can be joined.
        pthread_kill(thread_.native_handle(), SIGTERM);
        thread_.join();
    }
    SignalWatcher(const SignalWatcher&) = delete;
    SignalWatcher& operator=(const SignalWatcher&) = delete;

private:
    std::thread thread_;
};

}  // namespace

int main(int argc, char* argv[]) {
    // Block the stop signals before any thread starts, so that every thread inherits the mask
    // and only the watcher receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);  // a client that hangs up must not end the server

    const site::ParsedOptions parsed =
        site::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::fprintf(stderr, "vantrel-site: %s (try --help)\n", parsed.error.c_str());
        return 2;
    }
    const site::SiteOptions& options = *parsed.options;
    if (options.help) {
        std::fputs(site::usageText(argv[0]).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::puts("vantrel-site " VANTREL_VERSION);
        return 0;
    }

    const std::optional<std::filesystem::path> cataloguePath = chooseCatalogue(options, argv[0]);
    if (!cataloguePath) {
        std::fprintf(stderr, "vantrel-site: no catalogue found; name one with --catalogue\n");
        return 1;
    }
    site::Catalogue catalogue;
    try {
        catalogue = site::Catalogue::load(*cataloguePath);
    } catch (const site::CatalogueError& error) {
        std::fprintf(stderr, "vantrel-site: %s\n", error.what());
        return 1;
    }

    site::SiteServer server(catalogue, VANTREL_SITE_NAME, [](const std::string& line) {
        std::fprintf(stderr, "%s\n", line.c_str());  // one call: lines of threads don't mix
    });
    const int port = server.bind(options.host, options.port);
    if (port < 0) {
        std::fprintf(stderr, "vantrel-site: cannot listen on %s:%d\n", options.host.c_str(),
                     options.port);
        return 1;
    }
    std::fprintf(stderr, "vantrel-site: %zu subtitles from %s\n", catalogue.entries().size(),
                 cataloguePath->string().c_str());
    std::printf("listening on %s:%d\n", options.host.c_str(), port);
    std::fflush(stdout);

    std::promise<void> served;
    bool ok = false;
    {
        SignalWatcher watcher(server, stopSignals, served.get_future());
        ok = server.serve();
        served.set_value();
    }
    std::fprintf(stderr, "vantrel-site: stopped\n");
    return ok ? 0 : 1;
}
