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
#include <charconv>
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

// Output through one buffer of fixed size, written out whenever it fills: the dump of a large page is
// never held whole, and numbers are formatted in place.
class DumpWriter
{
public:
    explicit DumpWriter(FILE* out) : m_out(out) {}
    DumpWriter(const DumpWriter&) = delete;
    DumpWriter& operator=(const DumpWriter&) = delete;

    void Char(char c)
    {
        Reserve(1);
        m_buf[m_len++] = c;
    }
    void Bytes(const char* p, size_t n)
    {
        while (n > 0) {
            Reserve(1);
            const size_t k = std::min(n, sizeof m_buf - m_len);
            std::memcpy(m_buf + m_len, p, k);
            m_len += k;
            p += k;
            n -= k;
        }
    }
    void Number(long long n)
    {
        Reserve(24);
        m_len = size_t(std::to_chars(m_buf + m_len, m_buf + sizeof m_buf, n).ptr - m_buf);
    }
    // Display text on one line: backslash, tab, LF and CR as \\, \t, \n, \r; other control bytes
    // as \xNN.
    void Escaped(const CRunText& text)
    {
        static const char kHex[] = "0123456789abcdef";
        const char* p = text.GetString();
        const int n = text.GetLength();
        int run = 0; // start of the bytes copied as they are
        for (int i = 0; i < n; ++i) {
            const unsigned char c = (unsigned char)p[i];
            if (c >= 0x20 && c != 0x7F && c != '\\')
                continue;
            Bytes(p + run, size_t(i - run));
            run = i + 1;
            Reserve(4);
            m_buf[m_len++] = '\\';
            switch (c) {
            case '\\':
                m_buf[m_len++] = '\\';
                break;
            case '\t':
                m_buf[m_len++] = 't';
                break;
            case '\n':
                m_buf[m_len++] = 'n';
                break;
            case '\r':
                m_buf[m_len++] = 'r';
                break;
            default:
                m_buf[m_len++] = 'x';
                m_buf[m_len++] = kHex[c >> 4];
                m_buf[m_len++] = kHex[c & 15];
            }
        }
        Bytes(p + run, size_t(n - run));
    }
    // Writes what is left; false when any write failed.
    bool Finish()
    {
        Flush();
        return !m_failed && std::fflush(m_out) == 0;
    }

private:
    void Reserve(size_t n)
    {
        if (sizeof m_buf - m_len < n)
            Flush();
    }
    void Flush()
    {
        if (m_len && std::fwrite(m_buf, 1, m_len, m_out) != m_len)
            m_failed = true;
        m_len = 0;
    }

    FILE* m_out;
    size_t m_len = 0;
    bool m_failed = false;
    char m_buf[1 << 16];
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
            if (v->m_nKind == KIND_TEXT)
                out.Escaped(static_cast<FText*>(v)->m_strText);
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
