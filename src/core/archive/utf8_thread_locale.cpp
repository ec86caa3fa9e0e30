#include "archive/utf8_thread_locale.h"

#include <initializer_list>

namespace vantrel {

Utf8ThreadLocale::Utf8ThreadLocale() {
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
        utf8_ = newlocale(LC_CTYPE_MASK, name, nullptr);
        if (utf8_ != nullptr) {
            previous_ = uselocale(utf8_);
            return;
        }
    }
}

Utf8ThreadLocale::~Utf8ThreadLocale() {
    if (utf8_ != nullptr) {
        uselocale(previous_);
        freelocale(utf8_);
    }
}

}  // namespace vantrel
