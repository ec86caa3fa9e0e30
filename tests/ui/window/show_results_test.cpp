// Filling the window's grid from a downloaded page, and opening the file page of a chosen row.
#include "base/app_error.h"
#include "results/record_marker.h"
#include "results/result_parser.h"
#include "support/error_number.h"
#include "support/window_fixture.h"

namespace vantrel::testing {
namespace {

QString record(const QString& id, const QString& name) {
    return u"<subrief><fileid>%1</fileid><filename>%2</filename><format>SRT</format>"
           "<language>简体中文</language><splitby>BluRay</splitby><splito>1</splito>"
           "<chname>电影</chname><uptime>2024-01-02</uptime></subrief>"_s.arg(id, name);
}

QString page(const QStringList& records, const QString& tail = u"\n</list>"_s) {
    return u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<list>\n"_s + records.join(u'\n') + tail;
}

const QStringList kBlankRow{u"下载>>"_s, u" "_s, u" "_s, u" "_s, u" "_s,
                            u" "_s,      u" "_s, u" "_s, u" "_s};

class ShowResultsTest : public WindowTest {
protected:
    void show(const QString& unmarkedPage) {
        form.Text2->setText(insertRecordMarkers(unmarkedPage));
        form.ShowResults();
    }
};

TEST_F(ShowResultsTest, FillsOneRowPerRecordWithTheMarkAndEightFields) {
    const QString last =
        u"<subrief><fileid>one</fileid><fileid>two</fileid><format/>"
        "<x><y><chname>深处</chname></y></x></subrief>"_s;
    show(page({record(u"abcde"_s, u"一"_s), record(u"abcdef"_s, u"Two &amp; <![CDATA[Three]]>"_s),
               last}));
    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(row(2),
              (QStringList{u"下载>>"_s, u"abcdef"_s, u"Two & Three"_s, u"SRT"_s, u"简体中文"_s,
                           u"BluRay"_s, u"1"_s, u"电影"_s, u"2024-01-02"_s}));
    // A missing field shows a blank, an empty one nothing; of two the first counts.
    EXPECT_EQ(row(3), (QStringList{u"下载>>"_s, u"one"_s, u" "_s, QString(), u" "_s, u" "_s, u" "_s,
                                   u"深处"_s, u" "_s}));
    EXPECT_EQ(form.Text5->text(), last);  // the last record, cut back to its opening tag
}

TEST_F(ShowResultsTest, ABrokenRecordSpoilsOnlyItsOwnRowInShortAndLongPages) {
    for (const int count : {5, 700}) {
        QStringList records;
        for (int i = 0; i < count; ++i) {
            records << record(u"id%1"_s.arg(i), u"n%1"_s.arg(i));
        }
        records[1] = u"<subrief><fileid>bad</fileid><b></subrief>"_s;
        records[2] = u"<subrief><fileid>&nbsp;</fileid></subrief>"_s;
        records[3] = u"<SUBRIEF><fileid>x</fileid></subrief>"_s;  // no opening tag
        QList<int> good{1, 5};
        QList<int> blank{2, 3, 4};
        if (count > 5) {
            records[300] = records[1];
            good << 256 << 257 << 300 << 302 << 700;
            blank << 301;
        }
        show(page(records));
        ASSERT_EQ(grid.Rows(), count + 1);
        for (const int r : good) {
            EXPECT_EQ(std::pair(cell(r, FileId), cell(r, UploadDate)),
                      std::pair(u"id%1"_s.arg(r - 1), u"2024-01-02"_s));
        }
        for (const int r : blank) {
            EXPECT_EQ(row(r), kBlankRow) << count << " records, row " << r;
        }
    }
}

TEST_F(ShowResultsTest, EachPageReplacesTheRowsOfTheLastAndTheTailIsNeverShown) {
    form.Text5->setText(u"earlier"_s);
    show(u"<list>no results</list>"_s);
    EXPECT_EQ(std::pair(grid.Rows(), form.Text5->text()), std::pair(1, u"earlier"_s));

    show(page({record(u"a1"_s, u"a"_s), record(u"a2"_s, u"b"_s), record(u"a3"_s, u"c"_s)}));
    show(page({record(u"b1"_s, u"x"_s)}, u"<subrief><fileid>cut"_s));
    EXPECT_EQ(std::pair(grid.Rows(), cell(1, FileId)), std::pair(2, u"b1"_s));
    // An empty page empties the grid; the next page shows the header again.
    show(QString());
    EXPECT_EQ(grid.Rows(), 0);
    show(page({record(u"c1"_s, u"y"_s)}));
    EXPECT_EQ(std::pair(grid.Rows(), cell(0, FileName)), std::pair(2, u"名称"_s));
}

TEST_F(ShowResultsTest, APageWithMoreRecordsThanRowsFailsBeforeTheGridChanges) {
    const QString tiny = u"<subrief></subrief>"_s;
    show(tiny.repeated(kMaxRecordsPerPage));  // the last row the grid can address
    EXPECT_EQ(grid.Rows(), kMaxRecordsPerPage + 1);
    show(page({record(u"keep"_s, u"a"_s)}));
    form.Text2->setText(insertRecordMarkers(tiny.repeated(kMaxRecordsPerPage + 1)));
    EXPECT_EQ(errorNumberOf([this] { form.ShowResults(); }), errors::Overflow);
    EXPECT_EQ(std::pair(grid.Rows(), cell(1, FileId)), std::pair(2, u"keep"_s));
}

// The prefix rule is checked with the file address; here, that the chosen row's id reaches it.
TEST_F(ShowResultsTest, ChoosingARowOpensItsFilePage) {
    show(page({record(u"abcde"_s, u"1"_s), u"<subrief><filename>no id</filename></subrief>"_s,
               record(u"abcdef"_s, u"3"_s)}));
    const QString files = u"http://"_s + server.host() + u"/xml/file/"_s;
    const std::pair<int, QString> rows[] = {
        {3, u"abc/abcdef.xml"_s}, {1, u"ab/abcde.xml"_s}, {2, u" / .xml"_s}};
    QStringList opened;
    for (const auto& [r, file] : rows) {
        grid.setCurrentIndex(grid.model()->index(r - 1, FileName));
        form.Grid1_RowActivate(0, 7);  // no row chosen: nothing happens
        form.Grid1_RowActivate(1, 0);
        opened << files + file;
        EXPECT_EQ(form.Text3->text(), files + file + u"|%1"_s.arg(r));
    }
    EXPECT_EQ(shell.opened, opened);
}

}  // namespace
}  // namespace vantrel::testing
