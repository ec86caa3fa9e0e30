#include "sample-site/catalogue.h"
#include "sample-site/catalogue_location.h"
#include "sample-site/keyword_search.h"
#include "sample-site/site_options.h"
#include "site/site_test_data.h"

#include <gtest/gtest.h>

#include <set>

namespace vantrel::site {
namespace {

using testing::catalogueLine;

std::string parseError(const std::string& text) {
    try {
        Catalogue::parse(text);
    } catch (const CatalogueError& error) {
        return error.what();
    }
    return "no error";
}

TEST(CatalogueTest, ReadsLinesSkipsCommentsAndFindsById) {
    const Catalogue catalogue =
        Catalogue::parse("# comment\n\n" + catalogueLine("ab123", "x.srt", "X") +
                         "cd4567\ty.ass\tASS\t英文\tWEB-DL\t2\tY\t2024\r\n");
    ASSERT_EQ(catalogue.entries().size(), 2u);
    ASSERT_NE(catalogue.find("cd4567"), nullptr);
    EXPECT_EQ((*catalogue.find("cd4567"))[Field::UpTime], "2024");  // no '\r' left behind
    EXPECT_EQ((*catalogue.find("cd4567"))[Field::SplitO], "2");
    EXPECT_EQ(catalogue.find("zz999"), nullptr);
}

TEST(CatalogueTest, RefusesBadLinesNamingTheLine) {
    const std::string good = catalogueLine("ab123", "x.srt", "X");
    EXPECT_EQ(parseError(good + "cd456\tonly\tthree\n"), "catalogue line 2: 3 fields instead of 8");
    EXPECT_EQ(parseError(good + catalogueLine("ab123", "y.srt", "Y")),
              "catalogue line 2: file id 'ab123' is used twice");
    EXPECT_NE(parseError(catalogueLine("AB123", "x", "X")).find("lower-case"), std::string::npos);
    EXPECT_NE(parseError(catalogueLine("", "x", "X")).find("lower-case"), std::string::npos);
    EXPECT_NE(parseError(good + "\t" + good).find("more than 8"), std::string::npos);
    EXPECT_NE(parseError(catalogueLine("ab124", "x\x01", "X")).find("control"), std::string::npos);
    EXPECT_NE(parseError(catalogueLine("ab124", "x", "\xE9\x98")).find("UTF-8"), std::string::npos);
    EXPECT_NE(parseError(catalogueLine("ab124", "\xFFx", "X")).find("UTF-8"), std::string::npos);
    // The tool splits result pages at this text; a name holding it would break a page.
    EXPECT_NE(parseError(catalogueLine("ab124", "PowerByQXT.srt", "X")).find("PowerByQXT"),
              std::string::npos);
}

TEST(CatalogueTest, BundledCatalogueIsVariedEnoughToExercisePagingAndEscaping) {
    const Catalogue catalogue = Catalogue::load(sourceCatalogue());
    EXPECT_GE(catalogue.entries().size(), 300u);
    EXPECT_GT(findMatches(catalogue, "阿凡达").size(), 20u);
    EXPECT_FALSE(findMatches(catalogue, "哈利·波特").empty());
    EXPECT_FALSE(findMatches(catalogue, "top gun").empty());
    EXPECT_FALSE(findMatches(catalogue, "&").empty());
    EXPECT_FALSE(findMatches(catalogue, "<").empty());
    std::set<std::size_t> idLengths;
    for (const SubtitleEntry& entry : catalogue.entries()) {
        idLengths.insert(entry.fileId().size());
    }
    EXPECT_EQ(idLengths, (std::set<std::size_t>{5, 6, 7}));
}

TEST(SiteOptionsTest, ParsesFlagsAndRefusesBadOnes) {
    const ParsedOptions defaults = parseOptions({});
    ASSERT_TRUE(defaults.options);
    EXPECT_EQ(defaults.options->host, "127.0.0.1");
    EXPECT_EQ(defaults.options->port, 8086);

    const ParsedOptions given =
        parseOptions({"--port", "0", "--host=0.0.0.0", "--catalogue", "/tmp/c.tsv"});
    ASSERT_TRUE(given.options) << given.error;
    EXPECT_EQ(given.options->port, 0);
    EXPECT_EQ(given.options->host, "0.0.0.0");
    EXPECT_EQ(given.options->catalogue, "/tmp/c.tsv");
    EXPECT_TRUE(parseOptions({"--help"}).options->help);
    EXPECT_TRUE(parseOptions({"--version"}).options->version);

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--port"},
                                               {"--port", "65536"},
                                               {"--port", "-1"},
                                               {"--port", "80x"},
                                               {"--port="},
                                               {"--host", ""},
                                               {"--verbose"},
                                               {"8086"}}) {
        const ParsedOptions parsed = parseOptions(bad);
        EXPECT_FALSE(parsed.options) << bad[0];
        EXPECT_FALSE(parsed.error.empty());
    }
}

}  // namespace
}  // namespace vantrel::site
