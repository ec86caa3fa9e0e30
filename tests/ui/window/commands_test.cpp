// The search and page commands through the window against a loopback site, and the download
// step they share.
#include "base/app_error.h"
#include "support/error_number.h"
#include "support/window_fixture.h"

#include <functional>
#include <tuple>
#include <vector>

namespace vantrel::testing {
namespace {

using CommandsTest = WindowTest;

TEST_F(CommandsTest, EachCommandMovesThePageAndTheUrlsAsTheStateTableSays) {
    const QString avatar = u"/search/sub:%E9%98%BF%E5%87%A1%E8%BE%BE"_s;
    const QString first = server.baseUrl() + avatar + u" 2"_s;
    const QString fresh = server.baseUrl() + u"/search/sub:new "_s;
    const auto typeAndEnter = [this] {
        form.Text4->setText(u"new"_s);
        form.Text4->setFocus();
        QTest::keyClicks(form.Text4, u" "_s);  // the key goes on to the box
        QTest::keyClick(form.Text4, Qt::Key_Return);
    };
    // Alt+Left and Alt+Right press the page buttons, when they are enabled.
    const auto altKey = [this](Qt::Key key) {
        return [this, key] { QTest::keyClick(form.Text4, key, Qt::AltModifier); };
    };
    const struct {
        std::function<void()> act;
        int page;
        QString text1, baseUrl;
        bool previousEnabled;
        int captionPage;  // -1: the caption as the window opened
        QString shown;    // the record naming the page shown
    } steps[] = {
        {[this] { search(u"阿凡达 2"_s); }, 1, first, QString(), false, 1, u"p1"_s},
        {altKey(Qt::Key_Right), 2, first + u"?page=2"_s, first, true, 2, u"p2"_s},
        {[this] { click(form.Command2); }, 3, first + u"?page=3"_s, first, true, 3, u"p3"_s},
        {altKey(Qt::Key_Left), 2, first + u"?page=2"_s, first, true, 2, u"p2"_s},
        {[this] { click(form.Command3); }, 1, first, first, false, 1, u"p1"_s},
        {altKey(Qt::Key_Left), 1, first, first, false, 1, u"p1"_s},
        // A new search keeps the old first-page URL until it leaves page 1.
        {typeAndEnter, 1, fresh, first, false, 1, u"p1"_s},
        {[this] { click(form.Command2); }, 2, fresh + u"?page=2"_s, fresh, true, 2, u"p2"_s},
        // An empty keyword only resets the page number.
        {[this] { search(QString()); }, 1, fresh + u"?page=2"_s, fresh, true, 2, u"p2"_s},
        // From page 1 the previous page is page 0, the saved URL itself.
        {[this] { click(form.Command3); }, 0, fresh, fresh, true, 0, u"p1"_s},
    };
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(std::tuple(int{form.PageNo}, form.Text1->text(), form.BaseUrl,
                             form.Command3->isEnabled(), caption(), cell(2, FileId)),
                  std::tuple(s.page, s.text1, s.baseUrl, s.previousEnabled,
                             u"搜索结果  当前第 %1 页"_s.arg(s.captionPage), s.shown))
            << "step " << &s - steps;
    }
    const std::string a = avatar.toStdString() + "%202";
    EXPECT_EQ(server.targets(),
              (std::vector<std::string>{a, a + "?page=2", a + "?page=3", a + "?page=2", a,
                                        "/search/sub:new%20", "/search/sub:new%20?page=2",
                                        "/search/sub:new%20"}));
    EXPECT_EQ(messages.shown, QStringList{u"信息: 字幕名称不能为空！^__^"_s});
}

TEST_F(CommandsTest, PageNumberOverflowFailsBeforeAnythingChanges) {
    search(u"abc"_s);
    const size_t requests = server.targets().size();
    form.PageNo = 32767;
    click(form.Command2);
    form.PageNo = -32768;
    form.Command3->setEnabled(true);  // as after a search that followed paging
    click(form.Command3);
    const QString overflow = u"电影Vantrel工具: 运行时错误 '6':\n\n溢出"_s;
    EXPECT_EQ(messages.shown, (QStringList{overflow, overflow}));
    EXPECT_EQ(form.PageNo, -32768);
    EXPECT_EQ(form.Text1->text(), server.baseUrl() + u"/search/sub:abc"_s);
    EXPECT_EQ(server.targets().size(), requests);
}

TEST_F(CommandsTest, AFailedDownloadStopsTheCommandAndTheWindowCarriesOn) {
    // Before any search the page commands have no usable URL.
    click(form.Command2);
    EXPECT_EQ(std::tuple(form.BaseUrl, form.Text1->text(), caption()),
              std::tuple(u"SearchURL"_s, u"SearchURL?page=2"_s, u"搜索结果"_s));
    EXPECT_TRUE(server.targets().empty());

    search(u"abc"_s);
    failing = true;
    click(form.Command2);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[0].startsWith(u"电影Vantrel工具: 运行时错误 '"_s));
    EXPECT_EQ(std::tuple(caption(), form.Command3->isEnabled(), cell(2, FileId)),
              std::tuple(u"搜索结果  当前第 1 页"_s, false, u"p1"_s));

    failing = false;
    click(form.Command2);
    EXPECT_EQ(std::tuple(int{form.PageNo}, caption(), cell(2, FileId)),
              std::tuple(3, u"搜索结果  当前第 3 页"_s, u"p3"_s));
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(CommandsTest, TheDownloadMarksEveryRecordEndAndAFailureLeavesThePageAsItWas) {
    const auto fetch = [this](const QString& path) {
        form.Text1->setText(server.baseUrl() + path);
        form.FetchResults();
        return form.Text2->text();
    };
    const std::pair<QString, QString> pages[] = {
        {u"<subrief>甲</subrief>\n<subrief>乙</subrief></subrief>"_s,
         u"<subrief>甲</subrief>PowerByQXT\n<subrief>乙</subrief>PowerByQXT</subrief>PowerByQXT"_s},
        {u"<html>没有结果</html>"_s, u"<html>没有结果</html>"_s},
        {u"<SUBRIEF>x</SUBRIEF></Subrief></subrief >"_s,
         u"<SUBRIEF>x</SUBRIEF></Subrief></subrief >"_s},
        {u"PowerByQXT</subrief>PowerByQXT"_s, u"PowerByQXT</subrief>PowerByQXTPowerByQXT"_s},
        {u"</sub</subrief>rief>"_s, u"</sub</subrief>PowerByQXTrief>"_s},
        {QString(), QString()},  // replaces the longer page before it
    };
    for (const auto& [text, expected] : pages) {
        setPage(text);
        EXPECT_EQ(fetch(u"/page"_s), expected);
    }
    EXPECT_EQ(fetch(u"/no/such/page"_s), u"<p>没有这一页</p>"_s);  // an error page like any other

    const ClosedPort closed;
    const std::pair<QString, int> failures[] = {
        {u"SearchURL?page=2"_s, errors::InvalidUrl},
        {QString(), errors::InvalidUrl},
        {closed.baseUrl() + u"/search/sub:x"_s, errors::CannotConnect},
    };
    for (const auto& [url, number] : failures) {
        form.Text1->setText(url);
        EXPECT_EQ(errorNumberOf([this] { form.FetchResults(); }), number) << url.toStdString();
        EXPECT_EQ(form.Text2->text(), u"<p>没有这一页</p>"_s);
    }
}

}  // namespace
}  // namespace vantrel::testing
