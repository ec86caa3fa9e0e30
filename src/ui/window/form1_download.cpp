// Downloading the page that the search URL names.
#include "window/form1.h"

#include "window/download_wait.h"

#include "desktop/hidden_text_field.h"
#include "http/http_request.h"
#include "results/record_marker.h"

#include <utility>

namespace vantrel {

void Form1::FetchResults() {
    // A new request per download; it goes away on every path, the failing one included.
    std::unique_ptr<HttpRequest> request = platform_.http.createRequest();
    request->Open(QStringLiteral("GET"), Text1->text(), false);
    {
        // The window stays alive while it waits, yet nothing else runs until the page is here.
        DownloadWait wait(*this, *heldInput_);
        request->setKeepWaiting([&wait] { return wait.keepWaiting(); });
        try {
            request->send();
        } catch (...) {
            if (wait.windowClosed()) {
                throw WindowClosedDuringWait{};  // whatever else went wrong, the window is done
            }
            throw;
        }
    }
    QString page;
    if (request->readyState() == HttpRequest::ReadyStateComplete) {
        page = request->responseText();
    }
    request.reset();  // the page's only owner now: the markers go into its own memory
    Text2->setText(insertRecordMarkers(std::move(page)));
}

}  // namespace vantrel
