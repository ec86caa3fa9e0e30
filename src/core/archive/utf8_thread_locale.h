#pragma once

#include <locale.h>

namespace vantrel {

// While it lives, the calling thread's character type is UTF-8, whatever the process's locale.
// libarchive hands entry names over in the current locale's charset: under a UTF-8 one it gives
// names the archive flagged as UTF-8 in UTF-8 and leaves the bytes of unflagged ones as they
// were written, which is what the name decoding expects. Under "C" it would drop both.
class Utf8ThreadLocale {
public:
    Utf8ThreadLocale();
    ~Utf8ThreadLocale();
    Utf8ThreadLocale(const Utf8ThreadLocale&) = delete;
    Utf8ThreadLocale& operator=(const Utf8ThreadLocale&) = delete;

private:
    locale_t utf8_ = nullptr;
    locale_t previous_ = nullptr;
};

}  // namespace vantrel
