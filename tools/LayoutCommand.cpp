// The layout command, and the server, window and document set-up that layout and render share.
#include "tools/Commands.h"

#include "korhtml/Element.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "korhtml/TextElement.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kor {

namespace {

// The window a document draws into: it paints the document as the view does, background first,
// then the elements of the visible band, shifted by the scroll position; white while the
// document cannot be drawn.
class DocumentWindow : public CWnd
{
public:
    CHtmlX* m_pDocument = nullptr;

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        if (m_pDocument && m_pDocument->ReadyToDraw()) {
            CPoint org = m_pDocument->GetViewportOrg();
            dc.SetViewportOrg(-org.x, -org.y);
            m_pDocument->DrawBackground(&dc);
            m_pDocument->DrawElements(&dc);
        } else {
            CRect rc;
            GetClientRect(rc);
            dc.FillSolidRect(rc, RGB(255, 255, 255));
        }
    }
};

} // namespace

// ---- ToolServer ----

ToolServer::ToolServer(const ToolOptions& options)
{
    // The input files the settings name are checked before anything is built.
    if (options.dataPath) {
        struct stat st;
        if (stat(options.dataPath->c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            throw UsageError{"--data-path: not a directory: '" + *options.dataPath + "'"};
    }
    if (options.globalImages) {
        CheckReadable(options.globalImages->first, "global image");
        CheckReadable(options.globalImages->second, "global image");
    }

    if (options.boxFont)
        SetBoxFontMode(true);
    CreateHtmlServer();
    if (options.evenAlign)
        SetEvenAlign(TRUE);
    if (options.margins)
        SetMargins(options.margins->first, options.margins->second);
    if (options.gaps)
        SetLineGaps(options.gaps->first, options.gaps->second);
    if (options.dataPath)
        SetDataPath(CString(options.dataPath->c_str()));
    if (options.globalImages)
        SetGlobalImage(CString(options.globalImages->first.c_str()),
                       CString(options.globalImages->second.c_str()));
}

ToolServer::~ToolServer()
{
    DestroyHtmlServer();
}

// ---- ToolDocument ----

struct ToolDocument::Impl
{
    DocumentWindow window;
    CHtmlX* document = nullptr;
};

ToolDocument::ToolDocument(const ToolOptions& options, int width, int height, bool asText) : m_pImpl(nullptr)
{
    CheckReadable(options.file, "input file");
    m_pImpl = new Impl;
    // Hidden, and without a scroll bar: the whole window is the viewport.
    if (!m_pImpl->window.CreateEx(0, nullptr, "korhtml", WS_POPUP, 0, 0, width, height, nullptr, nullptr)) {
        delete m_pImpl;
        m_pImpl = nullptr;
        throw UsageError{"cannot create a window of " + std::to_string(width) + " x " +
                         std::to_string(height)};
    }
    m_pImpl->document = new CHtmlX(&m_pImpl->window);
    m_pImpl->window.m_pDocument = m_pImpl->document;
    CString path(options.file.c_str());
    if (asText)
        m_pImpl->document->OpenText(path);
    else
        m_pImpl->document->OpenLocal(path);
}

ToolDocument::~ToolDocument()
{
    if (!m_pImpl)
        return;
    // The document first: its form controls are child windows of the window.
    m_pImpl->window.m_pDocument = nullptr;
    delete m_pImpl->document;
    m_pImpl->window.DestroyWindow();
    delete m_pImpl;
}

CHtmlX* ToolDocument::Document() const
{
    return m_pImpl->document;
}

CWnd* ToolDocument::Window() const
{
    return &m_pImpl->window;
}

void ToolDocument::Resize(int width, int height)
{
    m_pImpl->window.MoveWindow(0, 0, width, height, FALSE);
}

// ---- The layout command ----

std::pair<int, int> ViewportSize(const ToolOptions& options)
{
    int width = options.IntValue("width", 800);
    int height = options.IntValue("height", 600);
    if (width < 1 || width > kMaxSide)
        throw UsageError{"--width: must be from 1 to " + std::to_string(kMaxSide) + ", got " +
                         std::to_string(width)};
    if (height < 1 || height > kMaxSide)
        throw UsageError{"--height: must be from 1 to " + std::to_string(kMaxSide) + ", got " +
                         std::to_string(height)};
    return {width, height};
}

bool WriteLayoutDump(CHtmlX* doc, FILE* file)
{
    DumpWriter out(file);
    out.Bytes("content\t", 8);
    CSize size = doc->GetContentSize();
    out.Number(size.cx);
    out.Char('\t');
    out.Number(size.cy);
    out.Char('\n');
    // The body is detached from the document's tree, so the walk ends with its last descendant.
    if (CElement* body = doc->GetBody()) {
        for (CVisible* v = body->GetNextVisible(FALSE, nullptr); v; v = v->GetNextVisible(FALSE, nullptr)) {
            out.Number(v->m_nKind);
            for (int n : {v->m_nX, v->m_nY, v->m_nWidth, v->m_nHeight, int(v->m_nBreak)}) {
                out.Char('\t');
                out.Number(n);
            }
            out.Char('\t');
            if (v->m_nKind == KIND_TEXT) {
                const CRunText& text = static_cast<FText*>(v)->m_strText;
                out.Escaped(text.GetString(), text.GetLength());
            }
            out.Char('\n');
        }
    }
    return out.Finish();
}

int RunLayout(const ToolOptions& options)
{
    auto [width, height] = ViewportSize(options);
    ToolServer server(options);
    ToolDocument document(options, width, height, options.Has("as-text"));
    document.Document()->Layout(width, height);
    return WriteLayoutDump(document.Document(), stdout) ? 0 : 1;
}

} // namespace kor
