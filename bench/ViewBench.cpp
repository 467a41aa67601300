// Scrolling a view over a 10 MB page: the cost of one step at the start, the middle and the end of the page.
#include "korhtml/HTMLView.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kPageBytes = 10 << 20;

// Paragraphs of words of both scripts with links and bold words, to kPageBytes.
std::string TenMegabytePage()
{
    static const char* const words[] = {"scroll", "\xC7\xD1\xB1\xDB", "view", "\xB9\xAE\xB4\xDC",
                                        "band",   "\xB1\xDB\xB2\xC3", "step", "a"};
    std::string s = "<html><body>";
    for (int p = 0; int(s.size()) < kPageBytes; ++p) {
        s += "<p>";
        for (int i = 0; i < 40; ++i) {
            const char* w = words[(p + i * 3) % 8];
            if (i % 17 == 4)
                s += std::string("<a href=\"p") + std::to_string(p) + ".html\">" + w + "</a> ";
            else if (i % 11 == 7)
                s += std::string("<b>") + w + "</b> ";
            else
                s += std::string(w) + " ";
        }
    }
    return s + "</body></html>";
}

// One view in a frame, showing the page, shared by every case (opening it takes seconds).
struct Viewer
{
    CWnd frame;
    CHTMLView view;
    Viewer()
    {
        frame.CreateEx(0, nullptr, "bench", WS_OVERLAPPEDWINDOW, 0, 0, 816, 600, nullptr, nullptr);
        CRect rc(0, 0, 816, 600);
        view.Create(&frame, rc, nullptr);
        view.OpenString(CString(TenMegabytePage().c_str()));
    }
    ~Viewer()
    {
        view.DestroyWindow();
        frame.DestroyWindow();
    }
};
std::unique_ptr<Viewer> g_viewer;

// One line down and one line up at the position given in percent of the scroll range, each followed
// by the paint of the strip it uncovered, as the message queue would run it.
void BM_ScrollStep(benchmark::State& state)
{
    CHTMLView& view = g_viewer->view;
    const int limit = view.GetScrollLimit(SB_VERT);
    const int at = int(static_cast<long long>(limit - 40) * state.range(0) / 100) + 20;
    view.SendMessage(WM_VSCROLL, SB_THUMBPOSITION | (WPARAM(unsigned(at)) << 16));
    for (auto _ : state) {
        view.SendMessage(WM_VSCROLL, SB_LINEDOWN);
        view.UpdateWindow();
        view.SendMessage(WM_VSCROLL, SB_LINEUP);
        view.UpdateWindow();
    }
    state.counters["position"] = at;
    state.counters["height"] = view.m_pHtml->GetContentSize().cy;
}

// The two band searches alone, at the same positions.
void BM_BandSearch(benchmark::State& state)
{
    CHtmlX* doc = g_viewer->view.m_pHtml;
    const int limit = g_viewer->view.GetScrollLimit(SB_VERT);
    const int at = int(static_cast<long long>(limit) * state.range(0) / 100);
    doc->SetViewportOrg(0, at);
    for (auto _ : state) {
        doc->FindTopVisible();
        doc->FindBottomVisible();
        benchmark::DoNotOptimize(doc->GetTopVisible());
    }
}

BENCHMARK(BM_ScrollStep)->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BandSearch)->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    kor::PrepareHeadless();
    QApplication app(argc, argv);
    kor::SetBoxFontMode(true);
    CreateHtmlServer();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    g_viewer = std::make_unique<Viewer>();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_viewer.reset();
    DestroyHtmlServer();
    return 0;
}
