// The elements command: the element tree of a laid-out document, one element a line, with the
// attributes each element read and what the measuring and the layout gave it.
#include "tools/Commands.h"

#include "korhtml/FormElements.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "korhtml/ImageElement.h"
#include "korhtml/MapElements.h"
#include "korhtml/RuleElements.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/TableElements.h"
#include "korhtml/TextElement.h"
#include "kortag/kortag.h"
#include "platform/gdi/gdi.h"

#include <cstdio>
#include <cstring>

namespace kor {

namespace {

void Field(std::string& out, const char* name, long long value)
{
    out += ' ';
    out += name;
    out += '=';
    out += std::to_string(value);
}

void Field(std::string& out, const char* name, const CString& value)
{
    out += ' ';
    out += name;
    out += "=\"";
    AppendEscaped(value.GetString(), value.GetLength(), out);
    out += '"';
}

// A colour as #rrggbb; "none" for the value that stands for no colour.
void Colour(std::string& out, const char* name, COLORREF c)
{
    out += ' ';
    out += name;
    if (c == COLORREF(-1)) {
        out += "=none";
        return;
    }
    char text[16];
    std::snprintf(text, sizeof text, "=#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    out += text;
}

// The attributes the element's family read from its tag (the tables' and cells' among them).
void AppendAttributes(const CElement* e, std::string& out)
{
    switch (e->m_nKind) {
    case TAG_A: {
        const FAnchor* a = static_cast<const FAnchor*>(e);
        Field(out, "href", a->m_strHref);
        Field(out, "name", a->m_strName);
        Field(out, "korlink", a->m_strKorLink);
        break;
    }
    case TAG_BODY: {
        const FBody* b = static_cast<const FBody*>(e);
        Colour(out, "bgcolor", b->m_crBgColor);
        Colour(out, "text", b->m_crText);
        Colour(out, "link", b->m_crLink);
        Colour(out, "vlink", b->m_crVLink);
        Colour(out, "alink", b->m_crALink);
        Field(out, "background", b->m_strBackground);
        Field(out, "valign", b->m_nVAlign);
        break;
    }
    case TAG_IMG: {
        const FImage* i = static_cast<const FImage*>(e);
        Field(out, "src", i->m_strSrc);
        Field(out, "alt", i->m_strAlt);
        Field(out, "width", i->m_nWidthAttr);
        Field(out, "height", i->m_nHeightAttr);
        Field(out, "border", i->m_nBorder);
        Field(out, "hspace", i->m_nHSpace);
        Field(out, "vspace", i->m_nVSpace);
        Field(out, "ismap", i->m_bIsMap);
        Field(out, "imagealign", i->m_nImageAlign);
        Field(out, "usemap", i->m_strUseMap);
        break;
    }
    case TAG_HR: {
        const FRule* r = static_cast<const FRule*>(e);
        Field(out, "width", r->m_nWidthAttr);
        Field(out, "rulesize", r->m_nSize);
        Field(out, "noshade", r->m_bNoShade);
        break;
    }
    case TAG_FONT: {
        const FFont* f = static_cast<const FFont*>(e);
        Field(out, "fontsize", f->m_nSize);
        Colour(out, "color", f->m_crColor);
        Field(out, "face", f->m_strFace);
        // Which of the three were given: size 1, colour 2, face 4.
        Field(out, "given", f->m_bSizeGiven + 2 * f->m_bColorGiven + 4 * f->m_bFaceGiven);
        break;
    }
    case TAG_FORM:
        Field(out, "method", static_cast<const FForm*>(e)->m_nMethod);
        break;
    case TAG_INPUT: {
        const FInput* i = static_cast<const FInput*>(e);
        Field(out, "type", i->m_nType);
        Field(out, "checked", i->m_bChecked);
        Field(out, "maxlength", i->m_nMaxLength);
        Field(out, "inputsize", i->m_nSize);
        break;
    }
    case TAG_TEXTAREA:
        Field(out, "cols", static_cast<const FTextArea*>(e)->m_nCols);
        Field(out, "rows", static_cast<const FTextArea*>(e)->m_nRowsAttr);
        break;
    case TAG_OL:
        Field(out, "type", static_cast<const FOrderedList*>(e)->m_nType);
        Field(out, "start", static_cast<const FOrderedList*>(e)->m_nStart);
        break;
    case TAG_LI:
        Field(out, "type", static_cast<const FListItem*>(e)->m_nType);
        Field(out, "value", static_cast<const FListItem*>(e)->m_nValue);
        break;
    case TAG_P:
        Field(out, "palign", static_cast<const FParagraph*>(e)->m_nAlign);
        break;
    case TAG_DIV:
        Field(out, "divalign", static_cast<const FDivision*>(e)->m_nAlign);
        break;
    case TAG_FRAMESET:
        Field(out, "rows", static_cast<const FFrameSet*>(e)->m_strRows);
        Field(out, "cols", static_cast<const FFrameSet*>(e)->m_strCols);
        break;
    case TAG_FRAME:
        Field(out, "src", static_cast<const FFrame*>(e)->m_strSrc);
        Field(out, "noresize", static_cast<const FFrame*>(e)->m_strNoResize);
        break;
    case TAG_MAP:
        Field(out, "name", static_cast<const FMap*>(e)->m_strName);
        break;
    case TAG_AREA: {
        const FArea* a = static_cast<const FArea*>(e);
        Field(out, "shape", a->m_nShape);
        Field(out, "href", a->m_strHref);
        Field(out, "alt", a->m_strAlt);
        Field(out, "nohref", a->m_bNoHref);
        out += a->m_pRegion ? " region" : " noregion";
        break;
    }
    case TAG_COMMENT:
        Field(out, "comment", static_cast<const FComment*>(e)->m_strComment);
        break;
    case TAG_TABLE: {
        const FTable* t = static_cast<const FTable*>(e);
        Field(out, "border", t->m_nBorder);
        Field(out, "width", t->m_nWidthAttr);
        Field(out, "linebreak", e->HasFlags(EF_LINEBREAK));
        Field(out, "inline", e->HasFlags(EF_INLINE));
        break;
    }
    case TAG_TR: {
        const FTableRow* r = static_cast<const FTableRow*>(e);
        Field(out, "rowalign", r->m_nRowAlign);
        Field(out, "rowvalign", r->m_nRowVAlign);
        break;
    }
    case TAG_TD:
    case TAG_TH: {
        const FTableCell* c = static_cast<const FTableCell*>(e);
        Field(out, "width", c->m_nWidthAttr);
        Field(out, "noborder", c->m_nNoBorder);
        Colour(out, "bgcolor", c->m_crBgColor);
        Field(out, "nowrap", c->m_bNoWrap);
        break;
    }
    default:
        break;
    }
}

void AppendNumbers(const CUIntArray& a, std::string& out)
{
    for (int i = 0; i < a.GetSize(); ++i) {
        if (i)
            out += ',';
        out += std::to_string(int(a[i]));
    }
}

// The prefix, then a and b as "a,b".
void AppendPair(const char* prefix, long long a, long long b, std::string& out)
{
    out += prefix;
    out += std::to_string(a);
    out += ',';
    out += std::to_string(b);
}

void AppendVisible(const CVisible* v, std::string& out)
{
    AppendPair(" at=", v->m_nX, v->m_nY, out);
    out += " size=" + std::to_string(v->m_nWidth) + "x" + std::to_string(v->m_nHeight);
    Field(out, "brk", v->m_nBreak);
    Field(out, "align", v->m_nAlign);
    Field(out, "list", v->m_nListLevel);
    Field(out, "item", v->m_bInListItem);
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
    Field(out, "font", lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight);
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
void AppendTable(const FTable* t, int depth, std::string& out, DumpWriter& writer)
{
    Field(out, "rows", t->m_nRows);
    Field(out, "cols", t->m_nCols);
    out += " minpos=";
    AppendNumbers(t->m_arMinPos, out);
    out += " maxpos=";
    AppendNumbers(t->m_arMaxPos, out);
    Field(out, "minwidth", t->m_nMinWidth);
    Field(out, "maxwidth", t->m_nMaxWidth);
    out += " colwidths=";
    AppendNumbers(t->m_arColWidth, out);
    Field(out, "tablealign", t->m_nTableAlign);
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
                AppendPair(" +", s->m_nColOffset, s->m_nRowOffset, out);
            } else {
                const FTableCell* cell = static_cast<const FTableCell*>(e);
                AppendPair(" ", cell->m_nCol, cell->m_nRow, out);
            }
            // A grid of many columns goes out a slot at a time, never held whole.
            writer.Text(out);
            out.clear();
        }
    }
}

void AppendCell(const FTableCell* c, std::string& out)
{
    AppendPair(" cell=", c->m_nCol, c->m_nRow, out);
    AppendPair("-", c->m_nColEnd, c->m_nRowEnd, out);
    AppendPair(" span=", c->m_nColSpan, c->m_nRowSpan, out);
    Field(out, "cellalign", c->m_nCellAlign);
    Field(out, "valign", c->m_nVAlign);
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
    DumpWriter writer(stdout);
    std::string out; // the line being made
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
            AppendAttributes(e, out);
            if (e->m_nKind == TAG_TABLE)
                AppendTable(static_cast<const FTable*>(e), depth, out, writer);
            else if (e->m_nKind == TAG_TD || e->m_nKind == TAG_TH)
                AppendCell(static_cast<const FTableCell*>(e), out);
        }
        out += '\n';
        writer.Text(out);
        out.clear();
    }
    return writer.Finish() ? 0 : 1;
}

} // namespace kor
