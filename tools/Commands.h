// The korhtml tool's commands and the server and document set-up they share.
#pragma once

#include "tools/Options.h"

#include <cstdio>
#include <string>
#include <utility>

class CHtmlX;
class CTreeNode;
class CWnd;
class QImage;

namespace kor {

// Runs options.command; returns the exit status (2 for unusable input, with a message on stderr).
int RunCommand(const ToolOptions& options);

// Reads a file as bytes; a file that cannot be read is a UsageError naming it as what.
std::string ReadInputFile(const std::string& path, const char* what = "input file");
// A UsageError unless the file can be opened and read (a directory cannot).
void CheckReadable(const std::string& path, const char* what = "input file");

int RunTree(const ToolOptions& options);
int RunLayout(const ToolOptions& options);
int RunElements(const ToolOptions& options);
int RunRender(const ToolOptions& options);
int RunText(const ToolOptions& options);
int RunExtract(const ToolOptions& options);
int RunView(const ToolOptions& options);

// True for the command that opens a window for a user (the viewer without --screenshot).
bool IsInteractive(const ToolOptions& options);
// False for the commands whose output depends on no font (the tag tree, the text conversion).
bool NeedsFonts(const ToolOptions& options);

// Hands append(bytes, count) the n bytes from p with control bytes escaped so that a text stays on
// one line: backslash, tab, LF and CR as \\, \t, \n, \r, other bytes below 0x20 and 0x7F as \xNN.
// Runs of bytes that stand for themselves go out in one piece.
template <class Append> void Escape(const char* p, int n, Append&& append)
{
    static const char kHex[] = "0123456789abcdef";
    int run = 0; // start of the bytes that stand for themselves
    for (int i = 0; i < n; ++i) {
        const unsigned char c = (unsigned char)p[i];
        if (c >= 0x20 && c != 0x7F && c != '\\')
            continue;
        append(p + run, size_t(i - run));
        run = i + 1;
        char esc[4] = {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
        const char named = c == '\\' ? '\\' : c == '\t' ? 't' : c == '\n' ? 'n' : c == '\r' ? 'r' : 0;
        if (named)
            esc[1] = named;
        append(esc, size_t(named ? 2 : 4));
    }
    append(p + run, size_t(n - run));
}
inline void AppendEscaped(const char* p, int n, std::string& out)
{
    Escape(p, n, [&out](const char* q, size_t k) { out.append(q, k); });
}

// Output through one buffer of fixed size, written out whenever it fills: a dump of a large page is
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
    void Bytes(const char* p, size_t n);
    void Text(const std::string& s) { Bytes(s.data(), s.size()); }
    void Number(long long n);
    // Display text on one line, escaped as Escape does.
    void Escaped(const char* p, int n)
    {
        Escape(p, n, [this](const char* q, size_t k) { Bytes(q, k); });
    }
    // Writes what is left; false when any write failed.
    bool Finish();

private:
    void Reserve(size_t n)
    {
        if (sizeof m_buf - m_len < n)
            Flush();
    }
    void Flush();

    FILE* m_out;
    size_t m_len = 0;
    bool m_failed = false;
    char m_buf[1 << 16];
};
// Appends the indentation of a tree dump's line: two blanks a level, only so far on deep trees,
// with the depth written out beyond that.
void AppendIndent(int depth, std::string& out);
// The next node of a depth-first walk of root's subtree after n, with depth (0 at root) kept up
// to date; null at the end.
CTreeNode* NextWithDepth(CTreeNode* root, CTreeNode* n, int& depth);

// A UsageError when a window of width x height is too large to paint into a picture.
void CheckArea(int width, int height);
// Writes the picture as PNG through the file name's bytes; a failure is a UsageError.
void WritePng(const std::string& path, const QImage& picture);

// Text for standard output as the options of text and extract ask: --lf turns CR LF into LF,
// --utf8 converts from CP949. WriteOutput writes the bytes as they are; false when that failed.
std::string TextOutput(std::string bytes, const ToolOptions& options);
bool WriteOutput(const std::string& bytes);

// The server for one command, set up with the common options (box font, even alignment, margins,
// gaps, data path, global images); destroyed with this object.
class ToolServer
{
public:
    explicit ToolServer(const ToolOptions& options);
    ~ToolServer();
    ToolServer(const ToolServer&) = delete;
    ToolServer& operator=(const ToolServer&) = delete;
};

// A document in a hidden window of its own without a scroll bar, opened from options.file (as
// plain text when asText). The window paints the document as a view would: background, then
// elements, at the document's viewport origin. Needs a ToolServer for its whole life.
class ToolDocument
{
public:
    // An unreadable file is a UsageError.
    ToolDocument(const ToolOptions& options, int width, int height, bool asText);
    ~ToolDocument();
    ToolDocument(const ToolDocument&) = delete;
    ToolDocument& operator=(const ToolDocument&) = delete;

    CHtmlX* Document() const;
    CWnd* Window() const;
    // Gives the window a new size (the document is not laid out again).
    void Resize(int width, int height);

private:
    struct Impl;
    Impl* m_pImpl;
};

// The viewport size options of layout and render, checked: --width and --height (800 x 600 by
// default), each from 1 to kMaxSide.
constexpr int kMaxSide = 32767;
std::pair<int, int> ViewportSize(const ToolOptions& options);

// Writes the layout dump of a laid-out document: the content size, then every visible element of the
// body. False when the output could not be written.
bool WriteLayoutDump(CHtmlX* doc, FILE* file);

} // namespace kor
