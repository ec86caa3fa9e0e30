#include "sample-site/keyword_search.h"
#include "sample-site/paging.h"
#include "sample-site/percent_decode.h"
#include "sample-site/site_routes.h"
#include "site/site_test_data.h"

#include <gtest/gtest.h>

namespace vantrel::site {
namespace {

using testing::readRecords;
using testing::Record;

class SearchPageTest : public ::testing::Test {
protected:
    Catalogue catalogue = testing::smallCatalogue();

    std::vector<Record> records(const std::string& target) {
        const SiteResponse response = respond(catalogue, "site", target);
        EXPECT_EQ(response.status, 200) << target;
        EXPECT_EQ(response.contentType, "text/xml; charset=utf-8");
        std::vector<Record> result;
        EXPECT_TRUE(readRecords(response.body, result)) << target;
        return result;
    }

    std::size_t matchCount(const std::string& keyword) {
        return findMatches(catalogue, keyword).size();
    }
};

TEST(PercentDecodeTest, DecodesEscapesAndKeepsMalformedOnesLiterally) {
    EXPECT_EQ(percentDecode("%E9%98%BF%e5%87%a1"), "阿凡");
    EXPECT_EQ(percentDecode("Top%20Gun+2"), "Top Gun+2");
    EXPECT_EQ(percentDecode("100%"), "100%");
    EXPECT_EQ(percentDecode("%4"), "%4");
    EXPECT_EQ(percentDecode("%zz%%41"), "%zz%A");
    EXPECT_EQ(percentDecode("%00"), std::string(1, '\0'));
}

TEST_F(SearchPageTest, MatchesChineseAndEnglishIgnoringCase) {
    EXPECT_EQ(matchCount("阿凡达"), 45u);
    EXPECT_EQ(matchCount("aVaTaR"), 45u);
    EXPECT_EQ(matchCount("哈利·波特"), 1u);
    EXPECT_EQ(matchCount("top gun"), 1u);  // film name only
    EXPECT_EQ(matchCount("TOP.GUN"), 1u);  // file name only
    EXPECT_EQ(matchCount("100%"), 1u);
    EXPECT_EQ(matchCount("matrix"), 0u);
    EXPECT_EQ(matchCount(""), catalogue.entries().size());
}

TEST_F(SearchPageTest, KeywordArrivesEncodedRawOrWithBlankAsPercent20) {
    EXPECT_EQ(records("/search/sub:%E9%98%BF%E5%87%A1%E8%BE%BE").size(), 20u);
    EXPECT_EQ(records("/search/sub:阿凡达").size(), 20u);
    EXPECT_EQ(records("/search/sub:%E5%93%88%E5%88%A9%C2%B7%E6%B3%A2%E7%89%B9").size(), 1u);
    const std::vector<Record> topGun = records("/search/sub:Top%20Gun");
    ASSERT_EQ(topGun.size(), 1u);
    EXPECT_EQ(topGun[0].at("fileid"), "tg12345");
    EXPECT_EQ(records("/search/sub:100%").size(), 1u);  // a stray '%' is taken literally
}

TEST_F(SearchPageTest, PagesHoldTwentyRecordsAndEndAfterTheLast) {
    const std::vector<Record> first = records("/search/sub:avatar");
    const std::vector<Record> second = records("/search/sub:avatar?page=2");
    const std::vector<Record> last = records("/search/sub:avatar?page=3");
    ASSERT_EQ(first.size(), 20u);
    ASSERT_EQ(second.size(), 20u);
    ASSERT_EQ(last.size(), 5u);
    EXPECT_EQ(first.front().at("fileid"), "a0000");
    EXPECT_EQ(second.front().at("fileid"), "a0020");
    EXPECT_EQ(last.back().at("fileid"), "a0044");
    EXPECT_TRUE(records("/search/sub:avatar?page=4").empty());
    EXPECT_TRUE(records("/search/sub:nothing-like-this").empty());
    EXPECT_EQ(records("/search/sub:avatar?page=1"), first);
}

TEST_F(SearchPageTest, OddPageNumbersMeanPageOneAndHugeOnesAnEmptyPage) {
    const std::vector<Record> first = records("/search/sub:avatar");
    for (const char* page : {"0", "-1", "-99999999999999999999", "abc", "2x", "", " 2", "+2"}) {
        EXPECT_EQ(records(std::string("/search/sub:avatar?page=") + page), first) << page;
    }
    EXPECT_EQ(records("/search/sub:avatar?x=1&page=2"), records("/search/sub:avatar?page=2"));
    EXPECT_EQ(records("/search/sub:avatar?page"), first);
    EXPECT_EQ(records("/search/sub:avatar?page=%32"), records("/search/sub:avatar?page=2"));
    EXPECT_TRUE(records("/search/sub:avatar?page=2147483647").empty());
    EXPECT_TRUE(records("/search/sub:avatar?page=99999999999999999999999").empty());
    EXPECT_EQ(pageParameter("page=99999999999999999999999"), 2147483647);
}

TEST_F(SearchPageTest, EscapedSeparatorsBelongToTheKeywordAndTheFirstQuestionMarkStartsTheQuery) {
    EXPECT_EQ(records("/search/sub:really%3F").size(), 1u);
    EXPECT_EQ(records("/search/sub:really%3F?page=1").size(), 1u);
    EXPECT_TRUE(records("/search/sub:really%3F?page=2").empty());
    EXPECT_EQ(records("/search/sub:really?x?page=2"), records("/search/sub:really"));
    EXPECT_EQ(records("/search/sub:100%25").size(), 1u);
}

TEST_F(SearchPageTest, NamesWithMarkupCharactersComeBackIntact) {
    const SiteResponse response = respond(catalogue, "site", "/search/sub:salt");
    EXPECT_NE(response.body.find("<subrief><fileid>ss123</fileid>"), std::string::npos);
    EXPECT_NE(response.body.find("Salt.&amp;.Sugar.&lt;Cut&gt;.srt"), std::string::npos);
    std::vector<Record> found;
    ASSERT_TRUE(readRecords(response.body, found));
    ASSERT_EQ(found.size(), 1u);
    const Record expected{{"fileid", "ss123"},
                          {"filename", "Salt.&.Sugar.<Cut>.srt"},
                          {"format", "SRT"},
                          {"language", "简体中文"},
                          {"splitby", "BluRay.1080p.x264"},
                          {"splito", "1"},
                          {"chname", "盐与糖 Salt & Sugar <导演剪辑版>"},
                          {"uptime", "2020-01-02 03:04:05"}};
    EXPECT_EQ(found[0], expected);
}

TEST_F(SearchPageTest, BadKeywordsGetAnAnswer) {
    // Bytes that are not UTF-8, control characters, markup: a valid, empty page.
    EXPECT_TRUE(records("/search/sub:%FF%FE\xC3").empty());
    EXPECT_TRUE(records("/search/sub:%00%0A%0D").empty());
    EXPECT_TRUE(records("/search/sub:%3C%2Fsubrief%3E").empty());
    // Up to the cap a keyword is searched; beyond it the request is refused.
    EXPECT_TRUE(records("/search/sub:" + std::string(kMaxKeywordBytes, 'x')).empty());
    EXPECT_EQ(
        respond(catalogue, "site", "/search/sub:" + std::string(kMaxKeywordBytes + 1, 'x')).status,
        414);
    std::string encoded;
    for (std::size_t i = 0; i < 400; ++i) {
        encoded += "%E9%98%BF";  // 1,200 bytes once decoded
    }
    EXPECT_EQ(respond(catalogue, "site", "/search/sub:" + encoded).status, 414);
    EXPECT_EQ(respond(catalogue, "site", "/search/sub:" + std::string(20000, '%')).status, 414);
}

}  // namespace
}  // namespace vantrel::site
