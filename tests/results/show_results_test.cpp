#include "app/form1.h"
#include "grid/grid.h"
#include "platform/app_error.h"
#include "platform/curl_http_client.h"
#include "platform/hidden_text_field.h"
#include "app/result_grid_fill.h"
#include "results/result_parser.h"
#include "search/record_marker.h"
#include "support/recording_platform.h"

#include "support/qt_printing.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

QString record(const QString& id, const QString& name, const QString& extra = QString()) {
    return QStringLiteral(
               "<subrief><fileid>%1</fileid><filename>%2</filename><format>SRT</format>"
               "<language>简体中文</language><splitby>BluRay</splitby><splito>1</splito>"
               "<chname>电影</chname><uptime>2024-01-02</uptime>%3</subrief>")
        .arg(id, name, extra);
}

QString page(const QStringList& records, const QString& tail = QStringLiteral("\n</list>")) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<list>\n") +
           records.join(QLatin1Char('\n')) + tail;
}

class ShowResultsTest : public ::testing::Test {
protected:
    void show(const QString& unmarkedPage) {
        form.Text2->setText(insertRecordMarkers(unmarkedPage));
        form.ShowResults();
    }
    QString cell(int row, int col) { return form.Grid1->Cell(row, col).Text(); }
    QStringList rowTexts(int row) {
        QStringList texts;
        for (int col = 0; col < 9; ++col) {
            texts << cell(row, col);
        }
        return texts;
    }

    CurlHttpClient http;
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    Form1 form{Platform{http, shell, messages},
               SiteConfig{QStringLiteral("subs.test"), QString(), QString(), QString()}};
};

TEST_F(ShowResultsTest, FillsOneRowPerRecordWithTheMarkAndEightFields) {
    show(page({record("abcde", "一"), record("abcdef", "Two &amp; <![CDATA[Three]]>"),
               record("abcdefg", "三")}));
    ASSERT_EQ(form.Grid1->Rows(), 4);
    EXPECT_EQ(rowTexts(2), (QStringList{"下载>>", "abcdef", "Two & Three", "SRT", "简体中文",
                                        "BluRay", "1", "电影", "2024-01-02"}));
    EXPECT_EQ(cell(1, 1), QStringLiteral("abcde"));
    EXPECT_EQ(cell(3, 2), QStringLiteral("三"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("fileID"));  // header untouched
    // The field holds the last record, cut back to its opening tag.
    EXPECT_EQ(form.Text5->text(), record("abcdefg", "三"));
}

TEST_F(ShowResultsTest, TellsMissingFieldsFromEmptyOnesAndTakesTheFirstOfTwo) {
    show(
        page({QStringLiteral("<subrief><fileid>one</fileid><fileid>two</fileid><format/>"
                             "<x><y><chname>深处</chname></y></x></subrief>")}));
    ASSERT_EQ(form.Grid1->Rows(), 2);
    EXPECT_EQ(rowTexts(1), (QStringList{"下载>>", "one", " ", "", " ", " ", " ", "深处", " "}));
}

TEST_F(ShowResultsTest, ShowsBlanksForABrokenRecordAndGoesOn) {
    show(
        page({record("good1", "a"), QStringLiteral("<subrief><fileid>bad</fileid><b></subrief>"),
              QStringLiteral("<subrief><fileid>&nbsp;</fileid></subrief>"), record("good2", "b")}));
    ASSERT_EQ(form.Grid1->Rows(), 5);
    EXPECT_EQ(cell(1, 1), QStringLiteral("good1"));
    EXPECT_EQ(rowTexts(2), (QStringList{"下载>>", " ", " ", " ", " ", " ", " ", " ", " "}));
    EXPECT_EQ(rowTexts(3), (QStringList{"下载>>", " ", " ", " ", " ", " ", " ", " ", " "}));
    EXPECT_EQ(cell(4, 1), QStringLiteral("good2"));
}

TEST_F(ShowResultsTest, ABrokenRecordInALongPageSpoilsOnlyItsOwnRow) {
    QStringList records;
    for (int i = 0; i < 700; ++i) {
        records << (i == 300 ? QStringLiteral("<subrief><fileid>x</fileid><b></subrief>")
                             : record(QStringLiteral("id%1").arg(i), QStringLiteral("n%1").arg(i)));
    }
    show(page(records));
    ASSERT_EQ(form.Grid1->Rows(), 701);
    for (const int row : {1, 256, 300, 302, 700}) {
        EXPECT_EQ(cell(row, 1), QStringLiteral("id%1").arg(row - 1));
        EXPECT_EQ(cell(row, 8), QStringLiteral("2024-01-02"));
    }
    EXPECT_EQ(rowTexts(301), (QStringList{"下载>>", " ", " ", " ", " ", " ", " ", " ", " "}));
}

TEST_F(ShowResultsTest, APieceWithoutAnOpeningTagShowsBlanks) {
    // Capitals are not the tag: the piece holds no record the parser can find.
    show(QStringLiteral("<SUBRIEF><fileid>x</fileid></subrief>") + record("after", "b"));
    ASSERT_EQ(form.Grid1->Rows(), 3);
    EXPECT_EQ(rowTexts(1), (QStringList{"下载>>", " ", " ", " ", " ", " ", " ", " ", " "}));
    EXPECT_EQ(cell(2, 1), QStringLiteral("after"));
}

TEST_F(ShowResultsTest, APageWithoutRecordsLeavesTheHeaderAndTheRecordField) {
    form.Text5->setText(QStringLiteral("earlier"));
    show(QStringLiteral("<list>no results</list>"));
    EXPECT_EQ(form.Grid1->Rows(), 1);
    EXPECT_EQ(form.Text5->text(), QStringLiteral("earlier"));

    // The unterminated record behind the last closing tag is never shown.
    show(page({record("only", "a")}, QStringLiteral("<subrief><fileid>cut")));
    EXPECT_EQ(form.Grid1->Rows(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("only"));
}

TEST_F(ShowResultsTest, AShorterPageLeavesNothingOfTheLongerOne) {
    show(page({record("a1", "a"), record("a2", "b"), record("a3", "c")}));
    show(page({record("b1", "x")}));
    ASSERT_EQ(form.Grid1->Rows(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("b1"));

    // An empty page empties the grid; the next page shows the header again.
    show(QString());
    EXPECT_EQ(form.Grid1->Rows(), 0);
    show(page({record("c1", "y")}));
    ASSERT_EQ(form.Grid1->Rows(), 2);
    EXPECT_EQ(cell(0, 2), QStringLiteral("名称"));
}

TEST_F(ShowResultsTest, APageWithMoreRecordsThanRowsFailsBeforeTheGridChanges) {
    show(page({record("keep", "a")}));
    QString huge;
    const QString tiny = QStringLiteral("<subrief></subrief>");
    for (int i = 0; i < kMaxRecordsPerPage + 1; ++i) {
        huge += tiny;
    }
    form.Text2->setText(insertRecordMarkers(huge));
    try {
        form.ShowResults();
        FAIL() << "expected an overflow";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), errors::Overflow);
    }
    ASSERT_EQ(form.Grid1->Rows(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("keep"));
}

class RowActivateTest : public ShowResultsTest {
protected:
    void choose(int row) {
        form.Grid1->setCurrentIndex(form.Grid1->model()->index(row - 1, 1));
        form.Grid1_RowActivate(1, 0);
    }
};

TEST_F(RowActivateTest, OpensTheFileUrlOfTheActiveRowAndRecordsIt) {
    show(page({record("abcde", "1"), record("x", "2"), record("", "3"),
               QStringLiteral("<subrief><filename>no id</filename></subrief>"),
               record("abcdef", "5")}));
    choose(5);
    EXPECT_EQ(form.Text3->text(), QStringLiteral("http://subs.test/xml/file/abc/abcdef.xml|5"));
    choose(1);
    choose(2);
    choose(3);
    choose(4);
    EXPECT_EQ(
        shell.opened,
        (QStringList{"http://subs.test/xml/file/abc/abcdef.xml",
                     "http://subs.test/xml/file/ab/abcde.xml", "http://subs.test/xml/file/x/x.xml",
                     "http://subs.test/xml/file//.xml", "http://subs.test/xml/file/ / .xml"}));
    EXPECT_EQ(form.Text3->text(), QStringLiteral("http://subs.test/xml/file/ / .xml|4"));
}

TEST_F(RowActivateTest, AFirstValueOfZeroDoesNothing) {
    show(page({record("abcdef", "1")}));
    form.Grid1->setCurrentIndex(form.Grid1->model()->index(0, 1));
    form.Grid1_RowActivate(0, 7);
    EXPECT_EQ(form.Text3->text(), QStringLiteral("clickURL"));
    EXPECT_TRUE(shell.opened.isEmpty());
}

}  // namespace
}  // namespace vantrel
