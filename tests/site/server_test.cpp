#include "sample-site/site_server.h"
#include "site/site_test_data.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <chrono>
#include <mutex>
#include <thread>

namespace vantrel::site {
namespace {

// The site served on a free loopback port for the life of the fixture.
class SiteServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        port = server.bind("127.0.0.1", 0);
        ASSERT_GT(port, 0);
        serving = std::thread([this] { served = server.serve(); });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!server.isRunning() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_TRUE(server.isRunning());
    }
    void TearDown() override {
        stopServing();
        EXPECT_TRUE(served);
        EXPECT_FALSE(server.isRunning());
    }

    // Once serve() has returned, its worker threads are gone and have logged every request.
    void stopServing() {
        server.stop();
        if (serving.joinable()) {
            serving.join();
        }
    }

    std::vector<std::string> loggedLines() {
        std::lock_guard<std::mutex> lock(logMutex);
        return logged;
    }

    Catalogue catalogue = testing::smallCatalogue();
    std::mutex logMutex;
    std::vector<std::string> logged;
    SiteServer server{catalogue, "site", [this](const std::string& line) {
                          std::lock_guard<std::mutex> lock(logMutex);
                          logged.push_back(line);
                      }};
    int port = -1;
    bool served = false;
    std::thread serving;
};

TEST_F(SiteServerTest, AnswersSearchesAndFilePagesOverHttp) {
    httplib::Client client("127.0.0.1", port);

    // The client percent-encodes the path as UTF-8, the blank as %20.
    const httplib::Result avatar = client.Get("/search/sub:阿凡达?page=3");
    ASSERT_TRUE(avatar) << httplib::to_string(avatar.error());
    EXPECT_EQ(avatar->status, 200);
    EXPECT_EQ(avatar->get_header_value("Content-Type"), "text/xml; charset=utf-8");
    std::vector<testing::Record> records;
    ASSERT_TRUE(testing::readRecords(avatar->body, records));
    EXPECT_EQ(records.size(), 5u);

    const httplib::Result topGun = client.Get("/search/sub:Top Gun");
    ASSERT_TRUE(topGun);
    records.clear();
    ASSERT_TRUE(testing::readRecords(topGun->body, records));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].at("fileid"), "tg12345");

    // UTF-8 sent raw on the request line is read the same way.
    client.set_url_encode(false);
    const httplib::Result raw = client.Get("/search/sub:哈利·波特");
    ASSERT_TRUE(raw);
    EXPECT_NE(raw->body.find("<fileid>hp1234</fileid>"), std::string::npos);

    const httplib::Result file = client.Get("/xml/file/tg/tg12345.xml");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->status, 200);
    const httplib::Result wrongPrefix = client.Get("/xml/file/tg1/tg12345.xml");
    ASSERT_TRUE(wrongPrefix);
    EXPECT_EQ(wrongPrefix->status, 404);

    stopServing();
    const std::vector<std::string> lines = loggedLines();
    ASSERT_EQ(lines.size(), 5u);
    // Each request is logged once its answer has gone out, so two connections may log in either
    // order.
    const auto logged = [&lines](const std::string& start) {
        return std::any_of(lines.begin(), lines.end(),
                           [&start](const std::string& line) { return line.rfind(start, 0) == 0; });
    };
    EXPECT_TRUE(logged("127.0.0.1 GET /search/sub:%E9%98%BF%E5%87%A1%E8%BE%BE?page=3 200 "));
    EXPECT_TRUE(logged("127.0.0.1 GET /xml/file/tg1/tg12345.xml 404 "));
}

TEST(SiteServerBindTest, StopBeforeServingAndBusyPortAreHarmless) {
    const Catalogue catalogue = testing::smallCatalogue();
    SiteServer first(catalogue, "site");
    const int port = first.bind("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    first.stop();  // not serving yet: nothing to do
    SiteServer second(catalogue, "site");
    EXPECT_EQ(second.bind("127.0.0.1", port), -1);
}

}  // namespace
}  // namespace vantrel::site
