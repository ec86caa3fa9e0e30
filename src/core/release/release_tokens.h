#pragma once

// A release name cut into tokens: Latin words, years and tags, CJK titles and tags, each knowing
// the bracket it stands in.
#include "release/release_tags.h"

#include <QString>

#include <vector>

namespace vantrel {

// Group: the release group after the tags (x264-SPARKS).
enum class TokenKind { Word, Year, Tag, Weak, Cjk, CjkTag, Group };

struct ReleaseToken {
    QString text;
    TokenKind kind = TokenKind::Word;
    int group = 0;  // changes at every bracket, so that a title never runs across one
    bool bracketed = false;
    ReleaseTag tag;
    bool episodeNumber = false;  // a bare number that counts episodes ([05], 01-26)
    bool glued = false;          // written against the token before it (英雄2002)
};

// 1 for an opening bracket ([, 【, （ ...), -1 for a closing one, else 0.
int bracketStep(char32_t c);

// Japanese kana and Korean hangul: CJK letters that make a title no Chinese one.
bool isKanaOrHangul(char32_t c);

// Symbols, blanks, brackets and dots separate tokens; hyphens and script changes sometimes do.
std::vector<ReleaseToken> tokenizeReleaseName(const QString& name);

}  // namespace vantrel
