#pragma once

#include <QString>

namespace vantrel {

// Hands an address to the desktop, which opens it in the user's browser. Whether that worked is
// not reported: the window has nothing useful to do about it.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QString& url) = 0;
};

// The desktop's own handler. The address goes over as a URL, never as a command line.
class DesktopShell final : public Shell {
public:
    void open(const QString& url) override;
};

}  // namespace vantrel
