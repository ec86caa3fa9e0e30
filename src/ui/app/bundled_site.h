#pragma once

#include <QString>

#include <memory>

class QProcess;

namespace vantrel {

// What the window asks of the sample site that comes with the tool: to be there while the window
// is open, when this build is for it. Tests hand in none, so that they never start a program.
class SiteStarter {
public:
    virtual ~SiteStarter() = default;
    // Starts the site when this build is for it and nothing answers at its address yet.
    virtual void startIfNeeded() = 0;
    // Stops what startIfNeeded() started; a site that was there before is not ours to stop.
    virtual void stop() = 0;
};

// Whether host[:port] names this machine's loopback interface. A build for such a host is a build
// for the bundled site; a build for any other host never starts anything.
bool isLoopbackHost(const QString& host);

// The bundled site program, started as a child of the window's program on the site's address.
// Should the window's program end without stopping it (a crash, a kill), the child gets SIGTERM:
// no site outlives the tool, and no session manager or service is needed for that.
class BundledSite final : public SiteStarter {
public:
    BundledSite(QString host, QString program);
    ~BundledSite() override;
    BundledSite(const BundledSite&) = delete;
    BundledSite& operator=(const BundledSite&) = delete;

    void startIfNeeded() override;
    void stop() override;

    // The site program as the package and the build tree place it: beside the window's program.
    static QString besideThisProgram();

private:
    QString host_;
    QString program_;
    std::unique_ptr<QProcess> process_;  // while a site we started runs
};

}  // namespace vantrel
