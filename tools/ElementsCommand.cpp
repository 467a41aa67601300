// The elements command: the element tree of a laid-out document, one element a line, with what the
// measuring and the layout gave each (breaks, alignment, lists, fonts, table grids).
#include "tools/Commands.h"

#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "korhtml/TableElements.h"
#include "korhtml/TextElement.h"
#include "kortag/kortag.h"
#include "platform/gdi/gdi.h"

#include <cstdio>
#include <cstring>

namespace kor {

namespace {

void AppendNumbers(const CUIntArray& a, std::string& out)
{
    for (int i = 0; i < a.GetSize(); ++i)
        out += (i ? "," : "") + std::to_string(int(a[i]));
}

void AppendVisible(const CVisible* v, std::string& out)
{
    out += " at=" + std::to_string(v->m_nX) + "," + std::to_string(v->m_nY);
    out += " size=" + std::to_string(v->m_nWidth) + "x" + std::to_string(v->m_nHeight);
    out += " brk=" + std::to_string(v->m_nBreak) + " align=" + std::to_string(v->m_nAlign);
    out += " list=" + std::to_string(v->m_nListLevel) + " item=" + std::to_string(v->m_bInListItem);
}

// The display text, then the font as height, weight when not normal, i(talic), u(nderline),
// s(trike-out); the face and character set when the face is not the body's; the colour.
void AppendText(const FText* t, std::string& out)
{
    out += '"';
    AppendEscaped(t->m_strText.GetString(), t->m_strText.GetLength(), out);
    out += '"';
    AppendVisible(t, out);
    LOGFONT lf;
    if (!t->m_pFont || !t->m_pFont->GetLogFont(&lf)) {
        out += " font=none";
        return;
    }
    out += " font=" + std::to_string(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight);
    if (lf.lfWeight != FW_NORMAL)
        out += ",w" + std::to_string(lf.lfWeight);
    out += lf.lfItalic ? ",i" : "";
    out += lf.lfUnderline ? ",u" : "";
    out += lf.lfStrikeOut ? ",s" : "";
    if (std::strcmp(lf.lfFaceName, GetLogFont(0)->lfFaceName) != 0) {
        out += " face=\"";
        AppendEscaped(lf.lfFaceName, int(std::strlen(lf.lfFaceName)), out);
        out += "\" charset=" + std::to_string(lf.lfCharSet);
    }
    char colour[16];
    std::snprintf(colour, sizeof colour, " color=#%02x%02x%02x", GetRValue(t->m_crText),
                  GetGValue(t->m_crText), GetBValue(t->m_crText));
    out += colour;
}

// The table's grid sizes and positions, then its grid a row a line below it: each slot as the
// column and row a cell starts in, "+i,j" for a slot a spanning cell covers, "." for an empty one.
void AppendTable(const FTable* t, int depth, std::string& out)
{
    out += " rows=" + std::to_string(t->m_nRows) + " cols=" + std::to_string(t->m_nCols);
    out += " minpos=";
    AppendNumbers(t->m_arMinPos, out);
    out += " maxpos=";
    AppendNumbers(t->m_arMaxPos, out);
    out += " minwidth=" + std::to_string(t->m_nMinWidth) + " maxwidth=" + std::to_string(t->m_nMaxWidth);
    out += " colwidths=";
    AppendNumbers(t->m_arColWidth, out);
    out += " tablealign=" + std::to_string(t->m_nTableAlign);
    for (int r = 0; r < t->m_nRows; ++r) {
        out += '\n';
        AppendIndent(depth + 1, out);
        out += "grid";
        for (int c = 0; c < t->m_nCols; ++c) {
            const CElement* e = static_cast<const CElement*>(t->m_arGrid[r * t->m_nCols + c]);
            if (!e) {
                out += " .";
            } else if (e->m_nKind == KIND_SPANCELL) {
                const FSpanCell* s = static_cast<const FSpanCell*>(e);
                out += " +" + std::to_string(s->m_nColOffset) + "," + std::to_string(s->m_nRowOffset);
            } else {
                const FTableCell* cell = static_cast<const FTableCell*>(e);
                out += " " + std::to_string(cell->m_nCol) + "," + std::to_string(cell->m_nRow);
            }
        }
    }
}

void AppendCell(const FTableCell* c, std::string& out)
{
    out += " cell=" + std::to_string(c->m_nCol) + "," + std::to_string(c->m_nRow) + "-" +
           std::to_string(c->m_nColEnd) + "," + std::to_string(c->m_nRowEnd);
    out += " span=" + std::to_string(c->m_nColSpan) + "," + std::to_string(c->m_nRowSpan);
    out += " cellalign=" + std::to_string(c->m_nCellAlign) + " valign=" + std::to_string(c->m_nVAlign);
}

} // namespace

int RunElements(const ToolOptions& options)
{
    auto [width, height] = ViewportSize(options);
    ToolServer server(options);
    ToolDocument document(options, width, height, options.Has("as-text"));
    CHtmlX* doc = document.Document();
    doc->Layout(width, height);
    CElement* body = doc->GetBody();
    if (!body) {
        std::fputs("(no body)\n", stdout);
        return 0;
    }
    CHTMLDB db;
    db.Create(91);
    std::string out;
    bool written = true;
    // Written out in pieces: the dump of a large page is never held whole.
    auto flush = [&] {
        written = std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && written;
        out.clear();
    };
    int depth = 0;
    for (CTreeNode* n = body; n; n = NextWithDepth(body, n, depth)) {
        const CElement* e = static_cast<const CElement*>(n);
        AppendIndent(depth, out);
        out += std::to_string(e->m_nKind) + " ";
        if (e->m_nKind == KIND_TEXT) {
            AppendText(static_cast<const FText*>(e), out);
        } else {
            out += db.GetTagName(e->m_nKind).str();
            if (e->HasFlags(EF_VISIBLE))
                AppendVisible(static_cast<const CVisible*>(e), out);
            if (e->m_nKind == TAG_TABLE)
                AppendTable(static_cast<const FTable*>(e), depth, out);
            else if (e->m_nKind == TAG_TD || e->m_nKind == TAG_TH)
                AppendCell(static_cast<const FTableCell*>(e), out);
        }
        out += '\n';
        if (out.size() >= 1 << 16)
            flush();
    }
    flush();
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace kor
