// Document test helpers: the hidden window, the document on it, rendering and element lookups.
#include "DocTestUtil.h"

#include "korhtml/HtmlSrvr.h"
#include "korhtml/TextElement.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

#include <sstream>

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

std::vector<CVisible*> TestDoc::Visibles() const
{
    std::vector<CVisible*> out;
    if (CElement* body = m_pDoc->GetBody())
        for (CVisible* e = body->GetNextVisible(FALSE, nullptr); e; e = e->GetNextVisible(FALSE, nullptr))
            out.push_back(e);
    return out;
}

CVisible* TestDoc::FindKind(int kind, int nth) const
{
    for (CVisible* e : Visibles())
        if (e->m_nKind == kind && nth-- == 0)
            return e;
    return nullptr;
}

CVisible* TestDoc::FindText(const std::string& text, int nth) const
{
    for (CVisible* e : Visibles()) {
        if (e->m_nKind != KIND_TEXT)
            continue;
        CString raw = static_cast<FText*>(e)->m_strRaw;
        raw.TrimRight();
        if (raw.str() == text && nth-- == 0)
            return e;
    }
    return nullptr;
}

std::string TestDoc::Dump() const
{
    std::ostringstream out;
    for (CVisible* e : Visibles()) {
        out << e->m_nKind << ' ' << e->m_nX << ' ' << e->m_nY << ' ' << e->m_nWidth << ' ' << e->m_nHeight
            << ' ' << e->m_nBreak;
        if (e->m_nKind == KIND_TEXT)
            out << ' ' << static_cast<FText*>(e)->m_strRaw.str();
        out << '\n';
    }
    return out.str();
}

COLORREF PixelRef(const QImage& image, int x, int y)
{
    QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

void DocTest::SetUp()
{
    m_bOldBoxFont = kor::IsBoxFontMode();
    kor::SetBoxFontMode(true);
    CreateHtmlServer();
}

void DocTest::TearDown()
{
    DestroyHtmlServer();
    kor::SetBoxFontMode(m_bOldBoxFont);
}
