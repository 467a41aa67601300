// Hostile pages through a whole document: deep nesting, huge runs, bad bytes, narrow views, odd names.
#include <QImage>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/stat.h>

#include "GifWriter.h"
#include "Hostile.h"
#include "TempDir.h"
#include "korgr/ImageDax.h"
#include "korhtml/Element.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "korhtml/ImageElement.h"
#include "korhtml/TableElements.h"
#include "korhtml/TextElement.h"
#include "korhtml/AttrValues.h"
#include "korlib/korlib.h"
#include "maps/ImageManager.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

using hostile::Repeat;

namespace {

// A document with a hidden window of its own as its view, in box-font mode.
class Page
{
public:
    Page()
    {
        m_window.CreateEx(0, nullptr, "hostile", WS_POPUP, 0, 0, 320, 240, nullptr, nullptr);
        m_pDoc = new CHtmlX(&m_window);
    }
    ~Page()
    {
        delete m_pDoc; // before the window: its form controls are the window's children
        m_window.DestroyWindow();
    }
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    CHtmlX* operator->() const { return m_pDoc; }
    CHtmlX* Doc() const { return m_pDoc; }

    int Open(const std::string& html, const std::string& dir = "")
    {
        return m_pDoc->OpenString(CString(html), CString(dir.c_str()));
    }
    // Lays out for width and paints the band at scroll position y into a bitmap; the number of
    // pixels that differ from the background's colour at (0, 0), or -1 when nothing could be drawn.
    int LayoutAndPaint(int width, int y = 0)
    {
        m_pDoc->Layout(width, 240);
        m_pDoc->SetViewportOrg(0, y);
        m_pDoc->FindTopVisible();
        m_pDoc->FindBottomVisible();
        if (!m_pDoc->ReadyToDraw())
            return -1;
        const int w = width > 0 ? width : 1;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, w, 240);
        CBitmap* old = dc.SelectObject(&bitmap);
        dc.SetViewportOrg(0, -y);
        m_pDoc->DrawBackground(&dc);
        m_pDoc->DrawElements(&dc);
        dc.SelectObject(old);
        const QImage* image = kor::BitmapImage(&bitmap);
        m_lastPaint = image->copy();
        int inked = 0;
        const QRgb ground = image->pixel(0, 0);
        for (int py = 0; py < image->height(); ++py)
            for (int px = 0; px < image->width(); ++px)
                inked += image->pixel(px, py) != ground;
        return inked;
    }
    // What the last LayoutAndPaint drew.
    const QImage& LastPaint() const { return m_lastPaint; }
    // The text runs of the body in document order.
    std::vector<FText*> Words() const
    {
        std::vector<FText*> words;
        CElement* body = m_pDoc->GetBody();
        for (CVisible* v = body ? body->GetNextVisible(FALSE, nullptr) : nullptr; v;
             v = v->GetNextVisible(FALSE, nullptr)) {
            if (v->m_nKind == KIND_TEXT)
                words.push_back(static_cast<FText*>(v));
        }
        return words;
    }

private:
    CWnd m_window;
    CHtmlX* m_pDoc;
    QImage m_lastPaint;
};

class HostilePages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        kor::SetBoxFontMode(true);
        CreateHtmlServer();
    }
    void TearDown() override { DestroyHtmlServer(); }
};

// 100 000 levels of nesting, each with a word: opened, laid out, drawn at the top and in the
// middle, its text extracted, closed; what the deepest word inherits is right.
TEST_F(HostilePages, DeepNestingWithAWordAtEveryLevel)
{
    const struct
    {
        const char* label;
        std::string level;
        size_t tags; // element levels per repetition
        std::function<void(FText* deepest, size_t repeats)> check;
    } cases[] = {
        {"lists", "<ul><li>x", 2,
         [](FText* w, size_t n) {
             EXPECT_EQ(w->m_nListLevel, int(n));
             EXPECT_EQ(w->m_bInListItem, 1);
         }},
        {"definition lists", "<dl><dt>t<dd>d", 2, [](FText* w, size_t) { EXPECT_EQ(w->m_strText, "d"); }},
        {"inline tags", "<b><i>x", 2,
         [](FText* w, size_t) {
             LOGFONT lf;
             ASSERT_TRUE(w->m_pFont && w->m_pFont->GetLogFont(&lf));
             EXPECT_EQ(lf.lfWeight, FW_EXTRABOLD);
             EXPECT_EQ(lf.lfItalic, 1);
         }},
        {"fonts", "<font size=+1 color=red face=\"\xB1\xBC\xB8\xB2\">x", 1,
         [](FText* w, size_t) {
             EXPECT_EQ(w->m_crText, RGB(255, 0, 0));
             LOGFONT lf;
             ASSERT_TRUE(w->m_pFont && w->m_pFont->GetLogFont(&lf));
             EXPECT_STREQ(lf.lfFaceName, "\xB1\xBC\xB8\xB2");
         }},
        {"centred blocks", "<center><blockquote><p align=right>x", 3,
         [](FText* w, size_t) { EXPECT_EQ(w->m_nAlign, ALIGN_RIGHT); }},
        {"tables", "<table border=1><tr><td>x", 3, [](FText* w, size_t) { EXPECT_EQ(w->m_nListLevel, 0); }},
        // Every level repairs itself: the cell is wrapped in a row of its own.
        {"tables without rows", "<table><td>x", 2,
         [](FText* w, size_t) {
             EXPECT_EQ(w->GetParentElement()->GetParentElement()->m_nKind, TAG_TR);
             EXPECT_EQ(w->m_nBreak, BRK_LINE);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const size_t n = 100000 / c.tags;
        Page page;
        ASSERT_EQ(page.Open(Repeat(c.level, n)), 1);
        EXPECT_GT(page.LayoutAndPaint(300), 0);
        EXPECT_GT(page->GetContentSize().cy, 0);
        page.LayoutAndPaint(300, page->GetContentSize().cy / 2);
        const std::vector<FText*> words = page.Words();
        ASSERT_EQ(words.size(), c.level.find("<dt>") != std::string::npos ? 2 * n : n);
        c.check(words.back(), n);
        // The indentation of nested lists grows with the square of the depth: that text is cut.
        const CString text = page->ExtractText(80);
        if (c.label == std::string("lists"))
            EXPECT_EQ(text.GetLength(), KOR_MAX_TEXT);
        else
            EXPECT_GE(text.GetLength(), int(n));
        page->Close();
        EXPECT_TRUE(page->IsEmpty());
    }
}

TEST_F(HostilePages, HugeRunsAndNarrowViews)
{
    const std::string mega(1 << 20, 'w');
    Page page;
    // A word of 1 MB is one run on a line of its own, wider than any view.
    ASSERT_EQ(page.Open("<p>a " + mega + " b"), 1);
    EXPECT_GT(page.LayoutAndPaint(200), 0);
    std::vector<FText*> words = page.Words();
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[1]->m_nWidth, ((1 << 20) + 1) * 7); // the body font is 14 pixels: 7 per byte
    EXPECT_NE(words[1]->m_nY, words[0]->m_nY);
    EXPECT_GE(page->GetContentSize().cx, words[1]->m_nWidth);

    // An entity name of 1 MB decodes to one blank; a numeric reference of 1 MB digits to a blank too.
    ASSERT_EQ(page.Open("<p>x&" + mega + ";y &#" + std::string(1 << 20, '7') + ";z"), 1);
    page.LayoutAndPaint(200);
    words = page.Words();
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0]->m_strText, "x y ");
    EXPECT_EQ(words[1]->m_strText, " z");

    // Views narrower than the two margins, of one pixel, and of nothing: every element on a line
    // of its own, nothing drawn out of place, nothing crashing.
    ASSERT_EQ(page.Open("<p>some words <img src=none.gif width=30 height=20> <table border><tr><td>cell "
                        "text<td>more</table><hr><ul><li>item</ul><pre>pre\ttext</pre>"),
              1);
    for (int width : {19, 13, 1, -50}) {
        page.LayoutAndPaint(width);
        std::vector<FText*> runs = page.Words();
        ASSERT_GE(runs.size(), 2u);
        // The words of the first paragraph.
        EXPECT_EQ(runs[1]->GetParent(), runs[0]->GetParent());
        EXPECT_GT(runs[1]->m_nY, runs[0]->m_nY) << width;
    }
    // Margins wider than the view.
    SetMargins(500, 500);
    page.LayoutAndPaint(100);
    EXPECT_GT(page->GetContentSize().cy, 500);
    SetMargins(10, 10);
}

// Tables whose cells claim spans of 10 000 rows and columns open, lay out and draw; every word is kept.
TEST_F(HostilePages, TablesWithHugeSpans)
{
    Page page;
    for (const char* html :
         {"<table border=1><tr><td colspan=10000 rowspan=10000>a<td>b<tr><td>c</table>after",
          "<table><tr><td rowspan=10000>a<tr><td colspan=10000>b<tr><td colspan=-5 rowspan=0>c</table>after",
          "<table border><tr><th colspan=99999999999>a<td rowspan=2147483648>b<td>c</table>after"}) {
        SCOPED_TRACE(html);
        ASSERT_EQ(page.Open(html), 1);
        EXPECT_GT(page.LayoutAndPaint(300), 0);
        const std::vector<FText*> words = page.Words();
        ASSERT_EQ(words.size(), 4u);
        EXPECT_EQ(words.back()->m_strText, "after");
        EXPECT_FALSE(page->ExtractText(80).IsEmpty());
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
         "<td width=2147483647>a<td colspan=2147483647 rowspan=2147483647>b<tr><td>c</table>after",
         4},
        {"a long table", "<table border>" + Repeat("<tr><td>a", 100000) + "</table>after", 100001},
        {"tables that repair themselves", Repeat("<table><td>x</table>", 20000) + "after", 20001},
    };
    Page page;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_EQ(page.Open(c.html), 1);
        EXPECT_GT(page.LayoutAndPaint(300), 0);
        page.LayoutAndPaint(300, page->GetContentSize().cy / 2);
        const std::vector<FText*> words = page.Words();
        ASSERT_EQ(words.size(), c.words);
        EXPECT_EQ(words.back()->m_strText, "after");
        long long gridSlots = 0, spans = 0, cells = 0, tables = 0;
        for (CVisible* v = page->GetBody()->GetNextVisible(FALSE, nullptr); v;
             v = v->GetNextVisible(FALSE, nullptr)) {
            if (v->m_nKind == TAG_TD)
                ++cells;
            if (v->m_nKind != TAG_TABLE)
                continue;
            FTable* t = static_cast<FTable*>(v);
            ++tables;
            gridSlots += t->m_arGrid.GetSize();
            spans += t->m_lstSpans.GetCount();
            // The text after a table starts below it.
            EXPECT_GE(words.back()->m_nY, std::min(t->m_nY + t->m_nHeight, KOR_MAX_POSITION));
        }
        EXPECT_LE(gridSlots, 4096 * tables + 32 * cells);
        EXPECT_LE(spans, gridSlots);
    }
}

// Rules that ask for absurd sizes: a width of billions of percent, and pixel widths whose high half
// makes each rule 32 767 pixels tall, so many that their heights add up past what an int holds.
// The layout keeps its positions in order and finite; nothing overflows.
TEST_F(HostilePages, RulesOfAbsurdSizes)
{
    Page page;
    ASSERT_EQ(page.Open("<p>before<hr width=5055555555555555555555% size=5 align=right>after <b>bold</b>"),
              1);
    EXPECT_GT(page.LayoutAndPaint(300), 0);
    std::vector<FText*> words = page.Words();
    ASSERT_EQ(words.size(), 3u);
    EXPECT_GT(words[1]->m_nY, words[0]->m_nY);
    EXPECT_EQ(words[2]->m_nY, words[1]->m_nY);
    EXPECT_GT(words[2]->m_nX, words[1]->m_nX);

    const size_t n = 70000; // 70 000 x 32 767 pixels is more than 2^31
    ASSERT_EQ(page.Open("<p>top" + Repeat("<hr width=2147418112>x ", n) + "end"), 1);
    page.LayoutAndPaint(300);
    words = page.Words();
    ASSERT_EQ(words.size(), n + 2);
    for (size_t i = 1; i < words.size(); ++i)
        ASSERT_GE(words[i]->m_nY, words[i - 1]->m_nY) << i;
    EXPECT_GT(page->GetContentSize().cy, 0);
    page.LayoutAndPaint(300, page->GetContentSize().cy - 100);
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
        {"high.gif", testgif::Encode(5, 0, {0xFF0000, 0x0000FF}, {})},
        {"cut.gif", good.substr(0, 14)},
        {"text.gif", "GIF89a is what this file says, and nothing more"},
        {"empty.gif", ""},
    };
    Page page;
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(WriteFileBytes(dir.File(f.name), f.bytes));
        ASSERT_EQ(page.Open(std::string("<body bgcolor=#00ff00 background=") + f.name + "><p>word",
                            dir.Path() + "/"),
                  1);
        EXPECT_GT(page.LayoutAndPaint(120), 0);
        const QImage& painted = page.LastPaint();
        for (QPoint p : {QPoint(0, 0), QPoint(119, 239), QPoint(60, 200)})
            EXPECT_EQ(painted.pixel(p) & 0xFFFFFF, 0x00FF00u) << p.x() << "," << p.y();
    }
    // A sound picture at the same place is tiled.
    ASSERT_TRUE(WriteFileBytes(dir.File("good.gif"), good));
    ASSERT_EQ(page.Open("<body bgcolor=#00ff00 background=good.gif><p>word", dir.Path() + "/"), 1);
    page.LayoutAndPaint(120);
    EXPECT_EQ(page.LastPaint().pixel(119, 239) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(HostilePages, BadBytesCutsAndNames)
{
    Page page;
    // NUL and control bytes, lone lead bytes, a lead byte at the very end: measured and drawn.
    const std::string nul("\0", 1);
    ASSERT_EQ(page.Open("<p>a" + nul + "b \x01\x02\x1b\x7f c \xB0<b>\xC7</b>\xFE\xFF <pre>\xB0\n\t" + nul +
                        "\xC7</pre>\x81"),
              1);
    EXPECT_GT(page.LayoutAndPaint(200), 0);
    EXPECT_FALSE(page->ExtractText(10).IsEmpty());

    // Every cut of a page full of structure opens, lays out and draws.
    const std::string full = "<html><head><title>T</title></head><body bgcolor=#eeeeff background=x.gif>"
                             "<h1 align=center>Head</h1><table border=2 width=80%><caption>c</caption><tr>"
                             "<th colspan=3>h<tr><td rowspan=2>a<td><img src=y.gif width=10 height=10 "
                             "align=left>b<td nowrap>c</table><form><input type=text size=5><select>"
                             "<option>o</select><textarea rows=2>t</textarea></form><ol><li>one<li>two"
                             "</ol><pre>p\n q</pre><a href=\"z.html\">link</a><hr size=3></body>";
    for (size_t cut = 0; cut <= full.size(); cut += 3) {
        page.Open(full.substr(0, cut));
        page.LayoutAndPaint(150);
        page->MouseOnAnchor(CPoint(20, 20));
    }

    // Files and images named with spaces and Korean bytes ("새 폴더/그림 하나.gif", "문서 하나.html").
    TempDir dir;
    const std::string folder = dir.File("\xBB\xF5 \xC6\xFA\xB4\xF5");
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const std::string gif = testgif::Encode(2, 2, {0xFF0000, 0x0000FF}, {testgif::Solid(0, 0, 2, 2, 1)});
    const std::string picture = folder + "/\xB1\xD7\xB8\xB2 \xC7\xCF\xB3\xAA.gif";
    ASSERT_TRUE(WriteFileBytes(picture, gif));
    const std::string file = folder + "/\xB9\xAE\xBC\xAD \xC7\xCF\xB3\xAA.html";
    ASSERT_TRUE(WriteFileBytes(file, "<p>text <img src=\"\xB1\xD7\xB8\xB2 \xC7\xCF\xB3\xAA.gif\">"));
    EXPECT_EQ(page->OpenLocal(CString(file.c_str())), 1);
    EXPECT_EQ(page->GetLocalPath().str(), file);
    EXPECT_GT(page.LayoutAndPaint(200), 0);
    // The document's image manager loads the picture under its full name.
    CImageDax* cached = page->GetImageManager()->GetImage(CString(picture.c_str()));
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(cached->state, 3);
    EXPECT_EQ(cached->GetSize(), CSize(2, 2));
}

// Long pages of tables, lists, font changes and preformatted lines: every run is kept and drawn.
TEST_F(HostilePages, LongPagesOfOneShape)
{
    Page page;
    hostile::AtScale("table rows", 2000, [&](size_t n) {
        ASSERT_EQ(page.Open("<table border>" + Repeat("<tr><td>a<td>b c", n) + "</table>"), 1);
        EXPECT_GT(page.LayoutAndPaint(300), 0);
        EXPECT_EQ(page.Words().size(), 3 * n);
    });
    hostile::AtScale("list items", 5000, [&](size_t n) {
        ASSERT_EQ(page.Open("<ul>" + Repeat("<li>item text", n) + "</ul>"), 1);
        EXPECT_GT(page.LayoutAndPaint(300, 14 * int(n)), 0);
        EXPECT_EQ(page.Words().size(), 2 * n);
    });
    hostile::AtScale("font changes", 5000, [&](size_t n) {
        ASSERT_EQ(page.Open("<p>" + Repeat("<font size=+1>a</font> <b>b</b> ", n)), 1);
        EXPECT_GT(page.LayoutAndPaint(300), 0);
        EXPECT_EQ(page.Words().size(), 2 * n); // "a" and "b "
    });
    hostile::AtScale("preformatted lines", 5000, [&](size_t n) {
        ASSERT_EQ(page.Open("<pre>" + Repeat("line\ttext\n", n) + "</pre>"), 1);
        EXPECT_GT(page.LayoutAndPaint(300), 0);
        const std::vector<FText*> runs = page.Words();
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(size_t(runs[0]->m_nHeight), n * 12); // lines of the 12-pixel fixed font
    });
}

} // namespace
