// Document test helpers: the hidden window, the document on it, rendering and element lookups.
#include "DocTestUtil.h"

#include "korhtml/HtmlSrvr.h"
#include "korhtml/TextElement.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

TestDoc::TestDoc(int width, int height)
    : m_pWnd(new CWnd), m_pDoc(nullptr), m_nWidth(width), m_nHeight(height)
{
    // Hidden and without a scroll bar, so that the window rectangle is the viewport.
    EXPECT_TRUE(m_pWnd->CreateEx(0, nullptr, "doc", WS_POPUP, 0, 0, width, height, nullptr, nullptr));
    m_pDoc = new CHtmlX(m_pWnd);
}

TestDoc::~TestDoc()
{
    // The document first: form controls are child windows of the window.
    delete m_pDoc;
    m_pWnd->DestroyWindow();
    delete m_pWnd;
}

int TestDoc::OpenHtml(const std::string& html, const std::string& componentPath)
{
    return m_pDoc->OpenString(CString(html.data(), int(html.size())), CString(componentPath.c_str()));
}

int TestDoc::OpenFile(const std::string& path)
{
    return m_pDoc->OpenLocal(CString(path.c_str()));
}

void TestDoc::Layout()
{
    m_pDoc->Layout(m_nWidth, m_nHeight);
}

QImage TestDoc::Render(int scrollY)
{
    m_pDoc->SetViewportOrg(0, scrollY);
    m_pDoc->FindTopVisible();
    m_pDoc->FindBottomVisible();
    {
        CClientDC dc(m_pWnd);
        dc.SetViewportOrg(0, -scrollY);
        m_pDoc->DrawBackground(&dc);
        m_pDoc->DrawElements(&dc);
    }
    QImage* surface = kor::WindowSurface(m_pWnd);
    return surface ? surface->copy() : QImage();
}

std::vector<CVisible*> Visibles(CHtmlX* doc)
{
    std::vector<CVisible*> out;
    if (CElement* body = doc->GetBody())
        for (CVisible* e = body->GetNextVisible(FALSE, nullptr); e; e = e->GetNextVisible(FALSE, nullptr))
            out.push_back(e);
    return out;
}

FText* FindText(CHtmlX* doc, const std::string& text, int nth)
{
    for (CVisible* e : Visibles(doc)) {
        if (e->m_nKind != KIND_TEXT)
            continue;
        CString raw = static_cast<FText*>(e)->m_strRaw;
        raw.TrimRight();
        if (raw.str() == text && nth-- == 0)
            return static_cast<FText*>(e);
    }
    return nullptr;
}

std::vector<FText*> TestDoc::Texts() const
{
    std::vector<FText*> out;
    for (CVisible* e : Visibles())
        if (e->m_nKind == KIND_TEXT)
            out.push_back(static_cast<FText*>(e));
    return out;
}

CVisible* TestDoc::FindKind(int kind, int nth) const
{
    for (CVisible* e : Visibles())
        if (e->m_nKind == kind && nth-- == 0)
            return e;
    return nullptr;
}

CRect UpdateRect(CWnd* wnd)
{
    CRect r;
    return wnd->GetUpdateRect(r) ? r : CRect();
}

COLORREF PixelRef(const QImage& image, int x, int y)
{
    QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

int InkOverGround(const QImage& image)
{
    const QRgb ground = image.pixel(0, 0);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != ground;
    return n;
}

void ExpectPixels(const QImage& image, std::span<const Pixel> pixels)
{
    for (const Pixel& p : pixels) {
        if (p.differs)
            EXPECT_NE(PixelRef(image, p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
        else
            EXPECT_EQ(PixelRef(image, p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
    }
}

int DifferentPixels(const QImage& a, const QImage& b, int width)
{
    if (width < 0 && a.width() != b.width())
        return -1;
    width = width < 0 ? a.width() : width;
    if (a.width() < width || b.width() < width || a.height() != b.height())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < width; ++x)
            n += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return n;
}

void DocTest::SetUp()
{
    CreateHtmlServer();
}

void DocTest::TearDown()
{
    DestroyHtmlServer();
}
