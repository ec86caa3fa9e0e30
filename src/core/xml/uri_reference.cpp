#include "xml/uri_reference.h"

#include <cstring>

namespace vantrel {

namespace {

bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Reads the grammar left to right; each part advances at_ past what it accepts.
class UriReader {
public:
    explicit UriReader(std::string_view text) : text_(text) {}

    bool reference() { return absolute() || (at_ = 0, relative()); }

private:
    char peek(size_t ahead = 0) const {
        return at_ + ahead < text_.size() ? text_[at_ + ahead] : '\0';
    }

    // unreserved / pct-encoded / sub-delims, and the extra characters given.
    bool take(const char* extra) {
        const char c = peek();
        if (c == '%' && isHexDigit(peek(1)) && isHexDigit(peek(2))) {
            at_ += 3;
            return true;
        }
        if (c != '\0' && (isAlpha(c) || isDigit(c) || std::strchr("-._~!$&'()*+,;=", c) ||
                          std::strchr(extra, c))) {
            ++at_;
            return true;
        }
        return false;
    }

    void segment(const char* extra = ":@") {
        while (take(extra)) {
        }
    }

    void segments() {
        while (peek() == '/') {
            ++at_;
            segment();
        }
    }

    bool authority() {
        const size_t start = at_;
        segment(":");
        if (peek() == '@') {
            ++at_;  // user information
        } else {
            at_ = start;
        }
        if (peek() == '[') {
            const size_t close = text_.find(']', at_);
            if (close == std::string_view::npos) {
                return false;
            }
            at_ = close + 1;
        } else {
            segment("");
        }
        if (peek() == ':') {
            ++at_;
            if (!isDigit(peek())) {
                return false;
            }
            while (isDigit(peek())) {
                ++at_;
            }
        }
        return true;
    }

    // The part before the query; `noColonFirst` for a relative path, whose first segment would
    // otherwise read as a scheme.
    bool hierarchy(bool noColonFirst) {
        if (peek() == '/' && peek(1) == '/') {
            at_ += 2;
            if (!authority()) {
                return false;
            }
        } else if (peek() != '/') {
            segment(noColonFirst ? "@" : ":@");
            if (noColonFirst && peek() == ':') {
                return false;
            }
        }
        segments();
        return true;
    }

    bool tail() {
        if (peek() == '?') {
            ++at_;
            segment(":@/?");
        }
        if (peek() == '#') {
            ++at_;
            segment(":@/?[]");  // brackets too, as the reference parser of the tests allows
        }
        return at_ == text_.size();
    }

    bool absolute() {
        if (!isAlpha(peek())) {
            return false;
        }
        while (isAlpha(peek()) || isDigit(peek()) || std::strchr("+-.", peek()) != nullptr) {
            if (peek() == '\0') {
                break;
            }
            ++at_;
        }
        if (peek() != ':') {
            return false;
        }
        ++at_;
        return hierarchy(false) && tail();
    }

    bool relative() { return hierarchy(true) && tail(); }

    std::string_view text_;
    size_t at_ = 0;
};

}  // namespace

bool isUriReference(std::string_view text) {
    return UriReader(text).reference();
}

}  // namespace vantrel
