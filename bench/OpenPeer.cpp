// bench_open: opening and laying out one page file in this library or in QTextDocument, timed the same
// way in-process, best of several runs, with the process's peak memory.
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "korlib/korlib.h"
#include "platform/gdi/codepage.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFont>
#include <QTextDocument>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Best
{
    double open = std::numeric_limits<double>::infinity(); // of the run with the best total
    double layout = 0;
    double total = std::numeric_limits<double>::infinity();
    double first = -1; // the first run's total: what opening a page once in a fresh process costs
    long height = 0;

    void Take(double o, double l, long h)
    {
        if (first < 0)
            first = o + l;
        if (o + l < total) {
            open = o;
            layout = l;
            total = o + l;
        }
        height = h;
    }
};

// OpenString (parse, transform, measure) and Layout at the width, in a window of that width, with
// the fonts the pages ask for. The previous document is freed and the file read before the clock
// starts; the document takes the bytes it is given, so the process holds the page once.
Best RunKorhtml(const CString& path, int width, int runs)
{
    CWnd window;
    window.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, width, 600, nullptr, nullptr);
    Best best;
    {
        CHtmlX doc(&window);
        for (int i = 0; i < runs; ++i) {
            doc.Close();
            CString source = KorReadFile(path);
            auto t0 = Clock::now();
            doc.OpenString(std::move(source), "");
            auto t1 = Clock::now();
            doc.Layout(width, 600);
            auto t2 = Clock::now();
            best.Take(Milliseconds(t0, t1), Milliseconds(t1, t2), doc.GetContentSize().cy);
        }
    }
    window.DestroyWindow();
    return best;
}

// setHtml and a full layout at the same width, in the face and size of the body font above. The
// page is decoded to Unicode before the clock starts; the document is deleted after it stops.
Best RunQt(const std::string& page, int width, int runs)
{
    const QString html = kor::ToUnicode(page.data(), int(page.size()));
    QFont font("NanumGothic");
    font.setPixelSize(14);
    Best best;
    for (int i = 0; i < runs; ++i) {
        auto* doc = new QTextDocument;
        doc->setDefaultFont(font);
        doc->setTextWidth(width);
        auto t0 = Clock::now();
        doc->setHtml(html);
        auto t1 = Clock::now();
        // The document size waits for the whole layout, which Qt would otherwise finish lazily.
        const QSizeF size = doc->documentLayout()->documentSize();
        auto t2 = Clock::now();
        best.Take(Milliseconds(t0, t1), Milliseconds(t1, t2), long(size.height()));
        delete doc;
    }
    return best;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: bench_open korhtml|qt FILE [--width W] [--runs N]\n"
                 "prints: open=MS layout=MS total=MS first=MS height=PX peak_kb=KB (best total of N runs;\n"
                 "first: the total of the first run, caches still cold)\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    const std::string engine = argv[1];
    if (engine != "korhtml" && engine != "qt")
        return Usage();
    int width = 800;
    int runs = 3;
    for (int i = 3; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--width") && i + 1 < argc)
            width = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else
            return Usage();
    }
    if (width <= 0 || runs <= 0)
        return Usage();
    // The page in one allocation of its size, as the library reads files; only Qt's run keeps it.
    std::ifstream in(argv[2], std::ios::binary | std::ios::ate);
    if (!in) {
        std::fprintf(stderr, "bench_open: cannot read %s\n", argv[2]);
        return 2;
    }
    std::string page(size_t(in.tellg()), '\0');
    in.seekg(0);
    in.read(page.data(), std::streamsize(page.size()));
    in.close();

    kor::PrepareHeadless();
    QApplication app(argc, argv);
    Best best;
    if (engine == "korhtml") {
        kor::SetBoxFontMode(false);
        CreateHtmlServer();
        page = std::string();
        best = RunKorhtml(argv[2], width, runs);
        DestroyHtmlServer();
    } else {
        best = RunQt(page, width, runs);
    }
    std::printf("open=%.3f layout=%.3f total=%.3f first=%.3f height=%ld peak_kb=%ld\n", best.open,
                best.layout, best.total, best.first, best.height, PeakKilobytes());
    return 0;
}
