#pragma once

// What stands around a title in a release name without being part of it: the release group's
// name in a leading bracket or glued before the title, and the words that qualify the release
// (editions, cuts, languages, scene marks) left at the title's end.
#include "release/release_tokens.h"

#include <QString>

#include <vector>

namespace vantrel {

// Marks the titles of the name's first bracket as the group's ([CMCT]英雄, [喵萌奶茶屋] 标题,
// 【BT乐园】标题) when a title stands elsewhere, and returns the group's name; a CJK bracket needs
// another CJK title beside it, so that [釜山行].Train.to.Busan keeps its Chinese title.
QString markLeadingGroup(std::vector<ReleaseToken>& tokens);

// The end of the title run [begin, end) once the qualifying words at its end are dropped:
// Brazil_Criterion_Edition, Suicide Squad EXTENDED, Alien DC, The.Movie.CONVERT. Never drops the
// whole title, nor all but an article.
int withoutQualifiers(const std::vector<ReleaseToken>& tokens, int begin, int end);

// A lower-case group glued before the title (fgt-the.lobster, blow-how.to.be.single): the group,
// or empty. `words` is the title's run; `lowerName` whether the whole name is in lower case and
// ends in no group of its own.
QString gluedGroup(const QStringList& words, bool lowerName);

}  // namespace vantrel
