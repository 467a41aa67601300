// Fuzz target: a whole document from bytes: opened, laid out at three widths, painted, its text extracted.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "FuzzSupport.h"
#include "korhtml/HtmlX.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

CWnd* g_pWindow = nullptr;
std::string g_strFile; // a file of this process for pages opened from disk

// Paints the band at scroll position y into a bitmap of the viewport's size, as the view paints.
void Paint(CHtmlX* doc, int width, int height, int y)
{
    doc->SetViewportOrg(0, y);
    doc->FindTopVisible();
    doc->FindBottomVisible();
    if (!doc->ReadyToDraw())
        return;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.SetViewportOrg(0, -y);
    doc->DrawBackground(&dc);
    doc->DrawElements(&dc);
    doc->DrawAnimateImages(&dc);
    dc.SelectObject(old);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::Start(true);
    // One hidden window serves every document as its view (device contexts, size, timers, controls).
    g_pWindow = new CWnd;
    g_pWindow->CreateEx(0, nullptr, "fuzz", WS_POPUP, 0, 0, 320, 240, nullptr, nullptr);
    g_strFile = "/tmp/korhtml-fuzz-" + std::to_string(getpid()) + ".html";
    atexit([] { unlink(g_strFile.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const uint8_t flags = in.Byte();
    const int scroll = in.Range(0, 2000);
    const std::string page = in.Rest();

    SetEvenAlign(flags & 1);
    SetMargins(flags & 2 ? 0 : 10, 10);
    CHtmlX* doc = new CHtmlX(flags & 4 ? g_pWindow : nullptr);
    // Pages name the images of the test data (animated GIF, PNG with alpha, JPEG, BMP). Otherwise
    // the bytes are a file opened as plain text, or as a page of its own.
    if (flags & 8) {
        doc->OpenString(CString(page), CString(KORHTML_FUZZ_DATA "/"));
    } else if (FILE* f = fopen(g_strFile.c_str(), "wb")) {
        fwrite(page.data(), 1, page.size(), f);
        fclose(f);
        if (flags & 32)
            doc->OpenLocal(CString(g_strFile.c_str()));
        else
            doc->OpenText(CString(g_strFile.c_str()));
    }

    // Wide, narrow, and narrower than the two margins.
    const int widths[] = {640, 97, 13};
    for (int width : widths) {
        doc->Layout(width, 120);
        const CSize content = doc->GetContentSize();
        if (content.cx < 0 || content.cy < 0)
            __builtin_trap();
        Paint(doc, width, 120, 0);
        Paint(doc, width, 120, content.cy > 0 ? scroll % (content.cy + 1) : 0);
        doc->MouseOnAnchor(CPoint(15, 15));
        doc->GetCurrentAnchor();
    }
    doc->ExtractText(flags & 16 ? 20 : 80);
    CStringList components;
    doc->GetComponentList(components);
    doc->Close();
    if (!doc->IsEmpty())
        __builtin_trap();
    delete doc;
    SetEvenAlign(FALSE);
    SetMargins(10, 10);
    return 0;
}
