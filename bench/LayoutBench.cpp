// Parse, transform, measure and lay out generated pages of growing size; the cost must grow linearly.
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Words of both scripts, so that one- and two-byte characters are measured.
const char* const kWords[] = {"layout",   "\xC7\xD1\xB1\xDB", "text",  "\xB9\xAE\xB4\xDC",
                              "window",   "\xB1\xDB\xB2\xC3", "draws", "a",
                              "\xC1\xD9", "paragraph"};
constexpr int kWordCount = sizeof kWords / sizeof kWords[0];

void AppendWords(std::string& s, int n, int seed)
{
    for (int i = 0; i < n; ++i) {
        int k = (seed + i * 7) % kWordCount;
        // Some words in bold or italics, so that fonts are resolved again after a tag.
        if (i % 11 == 5)
            s += std::string("<B>") + kWords[k] + "</B> ";
        else if (i % 13 == 8)
            s += std::string("<I>") + kWords[k] + "</I> ";
        else
            s += std::string(kWords[k]) + " ";
    }
}

// n paragraphs of 40 words, a heading and a rule every 10 paragraphs.
std::string ParagraphPage(int n)
{
    std::string s = "<html><head><title>bench</title></head><body>";
    for (int i = 0; i < n; ++i) {
        if (i % 10 == 0)
            s += "<H2>Section</H2><HR>";
        s += "<P>";
        AppendWords(s, 40, i);
        s += "</P>\n";
    }
    return s + "</body></html>";
}

// n levels of nested containers and styles around a short paragraph at the bottom.
std::string NestedPage(int n)
{
    static const char* const open[] = {"<DIV>", "<B>", "<BLOCKQUOTE>", "<FONT SIZE=4>", "<I>", "<CENTER>"};
    static const char* const close[] = {"</DIV>", "</B>", "</BLOCKQUOTE>", "</FONT>", "</I>", "</CENTER>"};
    std::string s = "<html><body>";
    for (int i = 0; i < n; ++i)
        s += open[i % 6];
    AppendWords(s, 20, n);
    for (int i = n - 1; i >= 0; --i)
        s += close[i % 6];
    return s + "</body></html>";
}

// n lists of 8 items, each list with a nested list of 3 items.
std::string ListPage(int n)
{
    std::string s = "<html><body>";
    for (int i = 0; i < n; ++i) {
        s += (i % 2) ? "<OL>" : "<UL>";
        for (int j = 0; j < 8; ++j) {
            s += "<LI>";
            AppendWords(s, 6, i + j);
            if (j == 3) {
                s += "<UL>";
                for (int k = 0; k < 3; ++k) {
                    s += "<LI>";
                    AppendWords(s, 4, k);
                }
                s += "</UL>";
            }
        }
        s += (i % 2) ? "</OL>" : "</UL>";
        s += "<P>";
        AppendWords(s, 10, i);
        s += "<BR>";
        AppendWords(s, 5, i);
    }
    return s + "</body></html>";
}

// n levels of one kind of nesting, each with a word: what a level hands down must be worked out
// once, not again for every word below it.
std::string WordAtEveryLevel(const char* level, int n)
{
    std::string s = "<html><body>";
    for (int i = 0; i < n; ++i)
        s += level;
    return s + "</body></html>";
}
std::string NestedListsPage(int n)
{
    return WordAtEveryLevel("<UL><LI>word ", n);
}
std::string NestedStylesPage(int n)
{
    return WordAtEveryLevel("<B><I>word ", n);
}
std::string NestedFontsPage(int n)
{
    return WordAtEveryLevel("<FONT SIZE=+1 COLOR=red>word ", n);
}
std::string NestedBlocksPage(int n)
{
    return WordAtEveryLevel("<CENTER><BLOCKQUOTE><P ALIGN=right>word ", n);
}
std::string NestedTablesPage(int n)
{
    return WordAtEveryLevel("<TABLE BORDER=1><TR><TD>word ", n);
}
// Tables whose cells are not in rows: every level repairs itself while the page is measured.
std::string NestedTablesWithoutRowsPage(int n)
{
    return WordAtEveryLevel("<TABLE><TD>word ", n);
}

// Tables of hostile shapes.
std::string Repeated(const char* open, const char* item, int n, const char* close)
{
    std::string s = std::string("<html><body>") + open;
    for (int i = 0; i < n; ++i)
        s += item;
    return s + close + "after</body></html>";
}
std::string LongTablePage(int n)
{
    return Repeated("<TABLE BORDER>", "<TR><TD>word<TD>two words", n, "</TABLE>");
}
std::string WideTablePage(int n)
{
    // n columns in ten rows.
    std::string row = "<TR>";
    for (int i = 0; i < n; ++i)
        row += "<TD>c";
    return Repeated("<TABLE BORDER>", row.c_str(), 10, "</TABLE>");
}
std::string SpanningTablePage(int n)
{
    return Repeated("<TABLE BORDER><TR><TD COLSPAN=10000 ROWSPAN=10000>a<TD>b", "<TR><TD>c<TD>d", n,
                    "</TABLE>");
}
std::string RepairedTablesPage(int n)
{
    return Repeated("", "<TABLE><TD>word</TABLE>", n, "");
}

// The whole pipeline a view runs on opening: parse, transform, measure, then lay out.
void OpenAndLayOut(benchmark::State& state, std::string (*make)(int))
{
    int n = int(state.range(0));
    CString source(make(n).c_str());
    CWnd window;
    window.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr);
    CHtmlX doc(&window);
    for (auto _ : state) {
        doc.OpenString(source, "");
        doc.Layout(800, 600);
        benchmark::DoNotOptimize(doc.GetContentSize());
    }
    state.SetComplexityN(n);
    state.counters["bytes"] = double(source.GetLength());
    state.counters["height"] = double(doc.GetContentSize().cy);
    doc.Close();
    window.DestroyWindow();
}

void BM_Paragraphs(benchmark::State& state)
{
    OpenAndLayOut(state, ParagraphPage);
}
void BM_DeepNesting(benchmark::State& state)
{
    OpenAndLayOut(state, NestedPage);
}
void BM_Lists(benchmark::State& state)
{
    OpenAndLayOut(state, ListPage);
}

// One band of the viewport's height painted in the middle of a long page: the cost must not grow
// with the page, only the elements in the band are drawn.
void BM_PaintBand(benchmark::State& state)
{
    int n = int(state.range(0));
    CWnd window;
    window.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr);
    CHtmlX doc(&window);
    doc.OpenString(CString(ParagraphPage(n).c_str()), "");
    doc.Layout(800, 600);
    doc.SetViewportOrg(0, doc.GetContentSize().cy / 2);
    doc.FindTopVisible();
    doc.FindBottomVisible();
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 800, 600);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.SetViewportOrg(0, -(doc.GetContentSize().cy / 2));
    for (auto _ : state) {
        doc.DrawBackground(&dc);
        doc.DrawElements(&dc);
    }
    dc.SelectObject(old);
    state.SetComplexityN(n);
    doc.Close();
    window.DestroyWindow();
}

void BM_WordAtEveryLevel(benchmark::State& state, std::string (*make)(int))
{
    OpenAndLayOut(state, make);
}

BENCHMARK_CAPTURE(BM_WordAtEveryLevel, lists, NestedListsPage)
    ->RangeMultiplier(4)
    ->Range(256, 16384)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_WordAtEveryLevel, styles, NestedStylesPage)
    ->RangeMultiplier(4)
    ->Range(256, 65536)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_WordAtEveryLevel, fonts, NestedFontsPage)
    ->RangeMultiplier(4)
    ->Range(256, 65536)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_WordAtEveryLevel, blocks, NestedBlocksPage)
    ->RangeMultiplier(4)
    ->Range(256, 65536)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_WordAtEveryLevel, tables, NestedTablesPage)
    ->RangeMultiplier(4)
    ->Range(256, 65536)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_WordAtEveryLevel, tables_without_rows, NestedTablesWithoutRowsPage)
    ->RangeMultiplier(4)
    ->Range(256, 65536)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_WordAtEveryLevel, long_table, LongTablePage)
    ->RangeMultiplier(4)
    ->Range(256, 65536)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_WordAtEveryLevel, wide_table, WideTablePage)
    ->RangeMultiplier(4)
    ->Range(64, 4096)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_WordAtEveryLevel, spanning_table, SpanningTablePage)
    ->RangeMultiplier(4)
    ->Range(256, 16384)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_WordAtEveryLevel, repaired_tables, RepairedTablesPage)
    ->RangeMultiplier(4)
    ->Range(256, 16384)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_PaintBand)
    ->RangeMultiplier(4)
    ->Range(16, 4096)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::o1);
BENCHMARK(BM_Paragraphs)
    ->RangeMultiplier(2)
    ->Range(16, 2048)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_DeepNesting)
    ->RangeMultiplier(4)
    ->Range(256, 65536)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_Lists)
    ->RangeMultiplier(2)
    ->Range(8, 256)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv)
{
    kor::PrepareHeadless();
    QApplication app(argc, argv);
    // The box font: metrics that do not depend on the fonts installed.
    kor::SetBoxFontMode(true);
    CreateHtmlServer();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DestroyHtmlServer();
    return 0;
}
