// Hostile pages through a whole document: deep nesting, huge runs, bad bytes, narrow views, odd names.
#include "DocTestUtil.h"
#include "GifWriter.h"
#include "Hostile.h"
#include "TempDir.h"

#include "korgr/ImageDax.h"
#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/TableElements.h"
#include "korhtml/TextElement.h"
#include "korlib/korlib.h"
#include "maps/ImageManager.h"

#include <functional>
#include <string>
#include <sys/stat.h>

using hostile::Repeat;

namespace {

class HostilePages : public DocTest
{
};

// A document on a window of 320 x 240, laid out for a width and painted at a scroll position; the
// number of pixels painted in another colour than the top-left corner's.
int LayoutAndPaint(TestDoc& t, int width, int y = 0)
{
    t->Layout(width, 240);
    return InkOverGround(t.Render(y));
}

// 100 000 levels of nesting, each with a word: opened, laid out, drawn at the top and in the
// middle, its text extracted, closed; what the deepest word inherits is right.
TEST_F(HostilePages, DeepNestingWithAWordAtEveryLevel)
{
    const struct
    {
        const char* label;
        std::string level;
        size_t tags; // element levels per repetition
        std::function<void(TestDoc&, FText* deepest, size_t repeats)> check;
    } cases[] = {
        {"lists", "<ul><li>x", 2,
         [](TestDoc&, FText* w, size_t n) {
             EXPECT_EQ(w->m_nListLevel, int(n));
             EXPECT_EQ(w->m_bInListItem, 1);
         }},
        {"inline tags", "<b><i>x", 2,
         [](TestDoc&, FText* w, size_t) {
             LOGFONT lf;
             ASSERT_TRUE(w->m_pFont && w->m_pFont->GetLogFont(&lf));
             EXPECT_EQ(lf.lfWeight, FW_EXTRABOLD);
             EXPECT_EQ(lf.lfItalic, 1);
         }},
        {"centred blocks", "<center><blockquote><p align=right>x", 3,
         [](TestDoc&, FText* w, size_t) { EXPECT_EQ(w->m_nAlign, ALIGN_RIGHT); }},
        // Every level repairs itself: the cell is wrapped in a row of its own.
        {"tables without rows", "<table><td>x", 2,
         [](TestDoc&, FText* w, size_t) {
             EXPECT_EQ(w->GetParentElement()->GetParentElement()->m_nKind, TAG_TR);
             EXPECT_EQ(w->m_nBreak, BRK_LINE);
         }},
        {"anchors in fonts", "<font size=2><a href=l.html>x", 2,
         [](TestDoc&, FText* w, size_t) {
             CPoint pt(w->m_nX, w->m_nY);
             EXPECT_EQ(w->GetAnchorType(pt), ANCHOR_LINK);
             EXPECT_EQ(w->GetLink(&pt), "l.html");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const size_t n = 100000 / c.tags;
        TestDoc t(320, 240);
        ASSERT_EQ(t.OpenHtml(Repeat(c.level, n)), 1);
        EXPECT_GT(LayoutAndPaint(t, 300), 0);
        EXPECT_GT(t->GetContentSize().cy, 0);
        LayoutAndPaint(t, 300, t->GetContentSize().cy / 2);
        const std::vector<FText*> words = t.Texts();
        ASSERT_EQ(words.size(), n);
        c.check(t, words.back(), n);
        // The indentation of nested lists grows with the square of the depth: that text is cut.
        const CString text = t->ExtractText(80);
        if (c.label == std::string("lists"))
            EXPECT_EQ(text.GetLength(), KOR_MAX_TEXT);
        else
            EXPECT_GE(text.GetLength(), int(n));
        t->Close();
        EXPECT_TRUE(t->IsEmpty());
    }
}

TEST_F(HostilePages, HugeRunsAndNarrowViews)
{
    const std::string mega(1 << 20, 'w');
    TestDoc t(320, 240);
    // A word of 1 MB is one run on a line of its own, wider than any view.
    ASSERT_EQ(t.OpenHtml("<p>a " + mega + " b"), 1);
    EXPECT_GT(LayoutAndPaint(t, 200), 0);
    std::vector<FText*> words = t.Texts();
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[1]->m_nWidth, ((1 << 20) + 1) * 7);
    EXPECT_NE(words[1]->m_nY, words[0]->m_nY);
    EXPECT_GE(t->GetContentSize().cx, words[1]->m_nWidth);

    // Views narrower than the two margins, of one pixel, and of nothing: every element on a line
    // of its own.
    ASSERT_EQ(t.OpenHtml("<p>some words <img src=none.gif width=30 height=20> <table border><tr><td>cell "
                         "text<td>more</table><hr><ul><li>item</ul><pre>pre\ttext</pre>"),
              1);
    for (int width : {19, 13, 1, -50}) {
        LayoutAndPaint(t, width);
        words = t.Texts();
        ASSERT_GE(words.size(), 2u);
        EXPECT_GT(words[1]->m_nY, words[0]->m_nY) << width;
    }
}

// Tables of hostile shapes open, lay out and draw with every word kept, and their grids stay within
// what their cells and rows can fill: spans far larger than the table, a thousand columns, sizes
// past what an int holds, a long table, many tables that each repair themselves.
TEST_F(HostilePages, TablesOfHostileShapes)
{
    const struct
    {
        const char* label;
        std::string html;
        size_t words;
    } cases[] = {
        {"a thousand columns",
         "<table border><tr>" + Repeat("<td>c", 1000) + "<tr><td colspan=1000>wide</table>after", 1002},
        {"spans over a thousand rows and columns",
         "<table border><tr>" + Repeat("<td colspan=1000 rowspan=1000>x", 100) + Repeat("<tr><td>y", 100) +
             "</table>after",
         201},
        {"absurd sizes",
         "<table border=99999999 cellpadding=2000000000 cellspacing=-7 width=-99999999%><tr>"
         "<td width=2147483647>a<td colspan=2147483647 rowspan=2147483647>b<tr><td colspan=-5 rowspan=0>c"
         "</table>after",
         4},
        {"a long table", "<table border>" + Repeat("<tr><td>a", 100000) + "</table>after", 100001},
        {"tables that repair themselves", Repeat("<table><td>x</table>", 20000) + "after", 20001},
    };
    TestDoc t(320, 240);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_EQ(t.OpenHtml(c.html), 1);
        EXPECT_GT(LayoutAndPaint(t, 300), 0);
        LayoutAndPaint(t, 300, t->GetContentSize().cy / 2);
        const std::vector<FText*> words = t.Texts();
        ASSERT_EQ(words.size(), c.words);
        EXPECT_EQ(words.back()->m_strText, "after");
        EXPECT_FALSE(t->ExtractText(80).IsEmpty());
        long long gridSlots = 0, spans = 0, cells = 0, tables = 0;
        for (CVisible* v : t.Visibles()) {
            if (v->m_nKind == TAG_TD)
                ++cells;
            if (v->m_nKind != TAG_TABLE)
                continue;
            FTable* table = static_cast<FTable*>(v);
            ++tables;
            gridSlots += table->m_arGrid.GetSize();
            spans += table->m_lstSpans.GetCount();
            // The text after a table starts below it.
            EXPECT_GE(words.back()->m_nY, std::min(table->m_nY + table->m_nHeight, KOR_MAX_POSITION));
        }
        EXPECT_LE(gridSlots, 4096 * tables + 32 * cells);
        EXPECT_LE(spans, gridSlots);
    }
}

// Rules that ask for absurd sizes: a width of billions of percent, and pixel widths whose high half
// makes each rule 32 767 pixels tall, so many that their heights add up past what an int holds.
TEST_F(HostilePages, RulesOfAbsurdSizes)
{
    TestDoc t(320, 240);
    ASSERT_EQ(t.OpenHtml("<p>before<hr width=5055555555555555555555% size=5 align=right>after <b>bold</b>"),
              1);
    EXPECT_GT(LayoutAndPaint(t, 300), 0);
    std::vector<FText*> words = t.Texts();
    ASSERT_EQ(words.size(), 3u);
    EXPECT_GT(words[1]->m_nY, words[0]->m_nY);
    EXPECT_EQ(words[2]->m_nY, words[1]->m_nY);
    EXPECT_GT(words[2]->m_nX, words[1]->m_nX);

    const size_t n = 70000; // 70 000 x 32 767 pixels is more than 2^31
    ASSERT_EQ(t.OpenHtml("<p>top" + Repeat("<hr width=2147418112>x ", n) + "end"), 1);
    LayoutAndPaint(t, 300);
    words = t.Texts();
    ASSERT_EQ(words.size(), n + 2);
    for (size_t i = 1; i < words.size(); ++i)
        ASSERT_GE(words[i]->m_nY, words[i - 1]->m_nY) << i;
    EXPECT_GT(t->GetContentSize().cy, 0);
    LayoutAndPaint(t, 300, t->GetContentSize().cy - 100);
}

// Background pictures that cannot be tiled (no width, no height, cut short, not a picture at all)
// leave the background colour.
TEST_F(HostilePages, BackgroundsThatCannotBeTiledPaintTheColour)
{
    TempDir dir;
    const std::string good = testgif::Encode(4, 4, {0xFF0000, 0x0000FF}, {testgif::Solid(0, 0, 4, 4, 1)});
    const struct
    {
        const char* name;
        std::string bytes;
    } files[] = {
        {"wide.gif", testgif::Encode(0, 5, {0xFF0000, 0x0000FF}, {})},
        {"cut.gif", good.substr(0, 14)},
        {"text.gif", "GIF89a is what this file says, and nothing more"},
        {"good.gif", good},
    };
    TestDoc t(120, 240);
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(WriteFileBytes(dir.File(f.name), f.bytes));
        ASSERT_EQ(t.OpenHtml(std::string("<body bgcolor=#00ff00 background=") + f.name + "><p>word",
                             dir.Path() + "/"),
                  1);
        t.Layout();
        const QImage painted = t.Render();
        // A sound picture is tiled: its blue shows where no word is.
        const COLORREF ground = f.bytes == good ? RGB(0, 0, 255) : RGB(0, 255, 0);
        for (QPoint p : {QPoint(0, 0), QPoint(119, 239), QPoint(60, 200)})
            EXPECT_EQ(PixelRef(painted, p.x(), p.y()), ground) << p.x() << "," << p.y();
    }
}

// Bytes no page should hold, and files and images named with blanks and Korean bytes.
TEST_F(HostilePages, BadBytesAndKoreanNames)
{
    TestDoc t(320, 240);
    // NUL and control bytes, lone lead bytes, a lead byte at the very end: measured and drawn.
    const std::string nul("\0", 1);
    ASSERT_EQ(t.OpenHtml("<p>a" + nul + "b \x01\x02\x1b\x7f c \xB0<b>\xC7</b>\xFE\xFF <pre>\xB0\n\t" + nul +
                         "\xC7</pre>\x81"),
              1);
    EXPECT_GT(LayoutAndPaint(t, 200), 0);
    EXPECT_FALSE(t->ExtractText(10).IsEmpty());

    // "새 폴더/그림 하나.gif" and "새 폴더/문서 하나.html".
    TempDir dir;
    const std::string folder = dir.File("\xBB\xF5 \xC6\xFA\xB4\xF5");
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const std::string picture = folder + "/\xB1\xD7\xB8\xB2 \xC7\xCF\xB3\xAA.gif";
    ASSERT_TRUE(WriteFileBytes(picture,
                               testgif::Encode(2, 2, {0xFF0000, 0x0000FF}, {testgif::Solid(0, 0, 2, 2, 1)})));
    const std::string file = folder + "/\xB9\xAE\xBC\xAD \xC7\xCF\xB3\xAA.html";
    ASSERT_TRUE(WriteFileBytes(file, "<p>text <img src=\"\xB1\xD7\xB8\xB2 \xC7\xCF\xB3\xAA.gif\">"));
    EXPECT_EQ(t.OpenFile(file), 1);
    EXPECT_EQ(t->GetLocalPath().str(), file);
    EXPECT_GT(LayoutAndPaint(t, 200), 0);
    // The document's image manager loads the picture under its full name.
    CImageDax* cached = t->GetImageManager()->GetImage(CString(picture.c_str()));
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(cached->state, IMAGE_LOADED);
    EXPECT_EQ(cached->GetSize(), CSize(2, 2));
}

} // namespace
