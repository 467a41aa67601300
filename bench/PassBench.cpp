// Each pass on its own, with real fonts: parse, transform, measure, layout, painting a viewport and
// converting to text on a 1 MB page, and one scroll step at the top, middle and end of a 10 MB page.
#include "bench/PageGen.h"
#include "korhtml/Element.h"
#include "korhtml/Html2Text.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "kortag/kortag.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"
#include "transform/Transformer.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;

const CString& Page(std::size_t bytes)
{
    static CString oneMegabyte(bench::GeneratePage(bench::PageShape::Running, 1 << 20));
    static CString tenMegabytes;
    if (bytes == 1 << 20)
        return oneMegabyte;
    if (tenMegabytes.IsEmpty())
        tenMegabytes = CString(bench::GeneratePage(bench::PageShape::Running, 10 << 20));
    return tenMegabytes;
}

// A page opened in a document with its own hidden window, laid out for an 800 x 600 viewport.
struct OpenPage
{
    CWnd window;
    std::unique_ptr<CHtmlX> doc;
    explicit OpenPage(std::size_t bytes)
    {
        window.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, kViewWidth, kViewHeight, nullptr, nullptr);
        doc = std::make_unique<CHtmlX>(&window);
        doc->OpenString(Page(bytes), "");
        doc->Layout(kViewWidth, kViewHeight);
    }
    ~OpenPage()
    {
        doc.reset();
        window.DestroyWindow();
    }
};

// Opened once and shared by the cases that only read them; the 10 MB page only when a case asks.
std::unique_ptr<OpenPage> g_small;
std::unique_ptr<OpenPage> g_large;
OpenPage& Small()
{
    if (!g_small)
        g_small = std::make_unique<OpenPage>(1 << 20);
    return *g_small;
}
OpenPage& Large()
{
    if (!g_large)
        g_large = std::make_unique<OpenPage>(10 << 20);
    return *g_large;
}

void FreeTags(CTagNode* tags)
{
    if (tags) {
        tags->DeleteChildren();
        delete tags;
    }
}

void Bytes(benchmark::State& state, const CString& page)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * page.GetLength());
}

void BM_Parse(benchmark::State& state)
{
    const CString& page = Page(1 << 20);
    CSGMLParser* parser = GetSGMLParser();
    for (auto _ : state) {
        parser->SetSource(page);
        CTagNode* tags = parser->Parse(GetHtmlDB());
        state.PauseTiming();
        parser->SetSource(CString());
        FreeTags(tags);
        state.ResumeTiming();
    }
    Bytes(state, page);
}

void BM_Transform(benchmark::State& state)
{
    const CString& page = Page(1 << 20);
    CSGMLParser* parser = GetSGMLParser();
    parser->SetSource(page);
    CTagNode* tags = parser->Parse(GetHtmlDB());
    parser->SetSource(CString());
    CHtmlX doc(nullptr);
    CTransformer* transformer = GetTransformer();
    for (auto _ : state) {
        transformer->SetDocument(&doc);
        CElement* root = transformer->Transform(tags);
        transformer->SetDocument(nullptr);
        state.PauseTiming();
        if (root) {
            root->DeleteChildren();
            delete root;
        }
        state.ResumeTiming();
    }
    FreeTags(tags);
    Bytes(state, page);
}

void BM_Measure(benchmark::State& state)
{
    CHtmlX& doc = *Small().doc;
    for (auto _ : state)
        doc.SetStaticData();
    Bytes(state, Page(1 << 20));
}

void BM_Layout(benchmark::State& state)
{
    CHtmlX& doc = *Small().doc;
    const int width = int(state.range(0));
    for (auto _ : state) {
        doc.Layout(width, kViewHeight);
        benchmark::DoNotOptimize(doc.GetContentSize());
    }
    state.counters["height"] = doc.GetContentSize().cy;
    Bytes(state, Page(1 << 20));
    doc.Layout(kViewWidth, kViewHeight);
}

// A memory DC with a bitmap of the given size, as the view's paint DC would be.
struct Canvas
{
    CDC dc;
    CBitmap bitmap;
    CBitmap* old;
    Canvas(int cx, int cy)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, cx, cy);
        old = dc.SelectObject(&bitmap);
    }
    ~Canvas() { dc.SelectObject(old); }
};

// The first viewport of the page, background and elements.
void BM_PaintViewport(benchmark::State& state)
{
    CHtmlX& doc = *Small().doc;
    doc.SetViewportOrg(0, 0);
    doc.FindTopVisible();
    doc.FindBottomVisible();
    Canvas canvas(kViewWidth, kViewHeight);
    for (auto _ : state) {
        doc.DrawBackground(&canvas.dc);
        doc.DrawElements(&canvas.dc);
    }
}

// One line of scrolling at the position given in percent of the scroll range, alternately down and
// up: the new origin, the two band searches and the paint of the strip the step uncovers.
void BM_ScrollStep(benchmark::State& state)
{
    constexpr int kLine = 16;
    CHtmlX& doc = *Large().doc;
    const int limit = doc.GetContentSize().cy - kViewHeight - 2 * kLine;
    const int at = int(static_cast<long long>(limit) * state.range(0) / 100);
    Canvas canvas(kViewWidth, kLine);
    bool down = true;
    for (auto _ : state) {
        const int y = down ? at + kLine : at;
        doc.SetViewportOrg(0, y);
        doc.FindTopVisible();
        doc.FindBottomVisible();
        // Down uncovers a strip at the bottom of the viewport, up one at its top.
        const int strip = down ? y + kViewHeight - kLine : y;
        canvas.dc.SetViewportOrg(0, -strip);
        doc.DrawBackground(&canvas.dc);
        doc.DrawElements(&canvas.dc);
        down = !down;
    }
    state.counters["position"] = at;
    state.counters["height"] = doc.GetContentSize().cy;
}

void BM_Html2Text(benchmark::State& state)
{
    const CString& page = Page(1 << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(Html2Text(page, 80, -1, 0));
    Bytes(state, page);
}

BENCHMARK(BM_Parse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Transform)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Measure)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Layout)->Arg(400)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintViewport)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollStep)->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Html2Text)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    kor::PrepareHeadless();
    QApplication app(argc, argv);
    kor::SetBoxFontMode(false);
    CreateHtmlServer();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_small.reset();
    g_large.reset();
    DestroyHtmlServer();
    return 0;
}
