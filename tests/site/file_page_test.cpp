#include "sample-site/site_routes.h"
#include "site/site_test_data.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace vantrel::site {
namespace {

class FilePageTest : public ::testing::Test {
protected:
    Catalogue catalogue = testing::smallCatalogue();

    SiteResponse get(const std::string& target) {
        return respond(catalogue, "样例站 & Co", target);
    }

    // The text of each element of a file page, by element name.
    static testing::Record fields(const std::string& page) {
        testing::Record result;
        QXmlStreamReader xml(QByteArray::fromStdString(page));
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("subtitle")) {
                continue;  // descend into the document element
            }
            result[xml.name().toString()] = xml.readElementText();
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        return result;
    }
};

TEST(FilePrefixTest, SixCharacterIdsUseThreeOthersTwo) {
    EXPECT_EQ(filePrefix("abcdef"), "abc");
    EXPECT_EQ(filePrefix("abcde"), "ab");
    EXPECT_EQ(filePrefix("abcdefg"), "ab");
    EXPECT_EQ(filePrefix("a"), "a");
}

TEST_F(FilePageTest, ServesFivesSixAndSevenCharacterIds) {
    for (const char* target :
         {"/xml/file/a0/a0007.xml", "/xml/file/hp1/hp1234.xml", "/xml/file/tg/tg12345.xml"}) {
        const SiteResponse response = get(target);
        EXPECT_EQ(response.status, 200) << target;
        EXPECT_EQ(response.contentType, "text/xml; charset=utf-8");
        EXPECT_EQ(response.body.rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>", 0), 0u);
    }
    const testing::Record salt = fields(get("/xml/file/ss/ss123.xml").body);
    EXPECT_EQ(salt.size(), kFieldCount);
    EXPECT_EQ(salt.at("fileid"), "ss123");
    EXPECT_EQ(salt.at("chname"), "盐与糖 Salt & Sugar <导演剪辑版>");
    EXPECT_EQ(fields(get("/xml/file/hp%31/hp1234.xml").body).at("fileid"), "hp1234");
}

TEST_F(FilePageTest, WrongPrefixUnknownIdOrOtherPathsAreNotFound) {
    for (const char* target :
         {"/xml/file/hp/hp1234.xml", "/xml/file/a00/a0007.xml", "/xml/file/tg1/tg12345.xml",
          "/xml/file/zz/zz999.xml", "/xml/file/a0/a0007", "/xml/file/a0007.xml", "/xml/file/",
          "/xml/file//.xml", "/xml/file/a0/a0007.xml/x", "/search", "/search/sub",
          "/Search/sub:avatar", "/favicon.ico", "", "*"}) {
        EXPECT_EQ(get(target).status, 404) << target;
    }
}

TEST_F(FilePageTest, HomePageIsEscapedHtml) {
    const SiteResponse home = get("/");
    EXPECT_EQ(home.status, 200);
    EXPECT_EQ(home.contentType, "text/html; charset=utf-8");
    EXPECT_NE(home.body.find("<h1>样例站 &amp; Co</h1>"), std::string::npos);
    EXPECT_NE(home.body.find("href=\"/search/sub:%E9%98%BF%E5%87%A1%E8%BE%BE\""),
              std::string::npos);
    EXPECT_EQ(get("/?from=app").status, 200);
}

}  // namespace
}  // namespace vantrel::site
