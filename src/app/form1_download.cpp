// Downloading the page that the search URL names.
#include "app/form1.h"

#include "platform/hidden_text_field.h"
#include "platform/http_request.h"
#include "search/record_marker.h"

namespace vantrel {

void Form1::FetchResults() {
    // A new request per download; it goes away on every path, the failing one included.
    const std::unique_ptr<HttpRequest> request = platform_.http.createRequest();
    request->Open(QStringLiteral("GET"), Text1->text(), false);
    request->send();
    QString page;
    if (request->readyState() == HttpRequest::ReadyStateComplete) {
        page = request->responseText();
    }
    Text2->setText(insertRecordMarkers(page));
}

}  // namespace vantrel
