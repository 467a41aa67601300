// CTransformer: the tag index dispatch, attribute reading and word splitting of text nodes.
#include "transform/Transformer.h"

#include <new>

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
#include "maps/MapManager.h"
#include "transform/AttrReader.h"

IMPLEMENT_DYNCREATE(CTransformer, CObject)

namespace {

// TD and TH share their attributes and fields.
void ReadCell(FTableCell* cell, const CAttrReader& a)
{
    a.Align("align", cell->m_nCellAlign);
    a.Length("colspan", cell->m_nColSpan);
    a.Flag("nowrap", cell->m_bNoWrap);
    a.Length("rowspan", cell->m_nRowSpan);
    a.VAlign("valign", cell->m_nVAlign);
    a.Length("width", cell->m_nWidthAttr);
    a.Side("noborder", cell->m_nNoBorder);
    a.Color("bgcolor", cell->m_crBgColor);
    // Spans below one, percentages included, make no sense for the grid.
    if (cell->m_nColSpan < 1)
        cell->m_nColSpan = 1;
    if (cell->m_nRowSpan < 1)
        cell->m_nRowSpan = 1;
}

// H1 to H6 read only their alignment.
template <class Heading> CElement* NewHeading(CHtmlX* doc, const CAttrReader& a)
{
    Heading* e = new (std::nothrow) Heading(doc);
    if (e)
        a.Align("align", e->m_nAlign);
    return e;
}

template <class Element> CElement* NewPlain(CHtmlX* doc)
{
    return new (std::nothrow) Element(doc);
}

template <class List> CElement* NewCompact(CHtmlX* doc, const CAttrReader& a)
{
    List* e = new (std::nothrow) List(doc);
    if (e)
        a.Flag("compact", e->m_bCompact);
    return e;
}

// Appends one text element holding raw to parent; nothing when it cannot be allocated.
void AppendText(CElement* parent, CHtmlX* doc, const CString& raw, BOOL pre)
{
    FText* text = new (std::nothrow) FText(doc);
    if (!text)
        return;
    text->SetPre(pre);
    text->m_strRaw = raw;
    parent->AddLastChild(text);
}

} // namespace

CTransformer::CTransformer() : m_pDoc(nullptr) {}

CTransformer::~CTransformer() = default;

CElement* CTransformer::Transform(CTagNode* node)
{
    if (!node)
        return nullptr;
    CElement* top = CreateElement(node);
    if (!top || node->IsLeaf())
        return top;

    // Pre-order walk of node's subtree. parent is always the element built for cur's parent tag.
    CElement* parent = top;
    CTagNode* cur = static_cast<CTagNode*>(node->GetFirstChild());
    while (cur) {
        if (cur->GetType() == TAGNODE_TEXT) {
            AddText(parent, cur);
        } else if (CElement* e = CreateElement(cur)) {
            parent->AddLastChild(e);
            if (!cur->IsLeaf()) {
                parent = e;
                cur = static_cast<CTagNode*>(cur->GetFirstChild());
                continue;
            }
        }
        // Next sibling, or climb until an ancestor below node has one.
        while (cur != node && !cur->GetNextSibling()) {
            cur = static_cast<CTagNode*>(cur->GetParent());
            if (cur != node)
                parent = static_cast<CElement*>(parent->GetParent());
        }
        cur = cur == node ? nullptr : static_cast<CTagNode*>(cur->GetNextSibling());
    }
    return top;
}

CElement* CTransformer::CreateElement(CTagNode* node)
{
    if (!node)
        return nullptr;
    const CString name = node->GetName(TAGNAME_UPPER);
    CTagDB* db = GetHtmlDB();
    const int index = db ? db->GetTagIndex(name) : node->GetIndex();
    CHtmlX* doc = m_pDoc;

    // Unlisted tags become inert comments that remember the tag name.
    if (unsigned(index) > unsigned(TAG_LAST) || index == TAG_PLAINTEXT) {
        FComment* e = new (std::nothrow) FComment(doc);
        if (e)
            e->m_strComment = name;
        return e;
    }

    const CAttrReader a(node);
    switch (index) {
    case TAG_A: {
        FAnchor* e = new (std::nothrow) FAnchor(doc);
        if (!e)
            return nullptr;
        a.Text("href", e->m_strHref);
        a.Text("name", e->m_strName);
        a.Text("rel", e->m_strRel);
        a.Text("rev", e->m_strRev);
        a.Text("title", e->m_strTitle);
        a.Text("korlink", e->m_strKorLink);
        return e;
    }
    case TAG_ADDRESS:
        return NewPlain<FAddress>(doc);
    case TAG_APPLET: {
        FApplet* e = new (std::nothrow) FApplet(doc);
        if (!e)
            return nullptr;
        a.Align("align", e->m_nAlign);
        a.Text("alt", e->m_strAlt);
        a.Text("code", e->m_strCode);
        a.Text("codebase", e->m_strCodeBase);
        a.Length("height", e->m_nHeight);
        a.Length("hspace", e->m_nHSpace);
        a.Text("name", e->m_strName);
        a.Length("vspace", e->m_nVSpace);
        a.Length("width", e->m_nWidth);
        return e;
    }
    case TAG_AREA: {
        FArea* e = new (std::nothrow) FArea(doc);
        if (!e)
            return nullptr;
        e->m_nShape = SHAPE_DEFAULT; // an AREA without shape is a default (rectangle) area
        a.Text("alt", e->m_strAlt);
        a.Text("href", e->m_strHref);
        a.Flag("nohref", e->m_bNoHref);
        a.Shape("shape", e->m_nShape);
        CString coords;
        if (a.Raw("coords", coords))
            e->SetShape(e->m_nShape, coords); // as written: the region reads only the digits
        return e;
    }
    case TAG_B:
        return NewPlain<FBold>(doc);
    case TAG_BASE: {
        FBase* e = new (std::nothrow) FBase(doc);
        if (e)
            a.Text("href", e->m_strHref);
        return e;
    }
    case TAG_BIG:
        return NewPlain<FBig>(doc);
    case TAG_BLINK:
        return NewPlain<FBlink>(doc);
    case TAG_BLOCKQUOTE:
        return NewPlain<FBlockQuote>(doc);
    case TAG_BODY: {
        FBody* e = new (std::nothrow) FBody(doc);
        if (!e)
            return nullptr;
        a.Color("alink", e->m_crALink);
        a.Text("background", e->m_strBackground);
        a.Color("bgcolor", e->m_crBgColor);
        a.Color("link", e->m_crLink);
        a.Color("text", e->m_crText);
        a.Color("vlink", e->m_crVLink);
        a.VAlign("valign", e->m_nVAlign);
        return e;
    }
    case TAG_BR: {
        FBreak* e = new (std::nothrow) FBreak(doc);
        if (e)
            a.Clear("clear", e->m_nClear);
        return e;
    }
    case TAG_CAPTION: {
        FCaption* e = new (std::nothrow) FCaption(doc);
        if (e)
            a.Align("align", e->m_nAlign);
        return e;
    }
    case TAG_CENTER:
        return NewPlain<FCenter>(doc);
    case TAG_CITE:
        return NewPlain<FCite>(doc);
    case TAG_CODE:
        return NewPlain<FCode>(doc);
    case TAG_COMMENT: {
        FComment* e = new (std::nothrow) FComment(doc);
        if (e)
            a.Raw("comment", e->m_strComment); // the comment text as written
        return e;
    }
    case TAG_DD:
        return NewPlain<FDefinitionData>(doc);
    case TAG_DFN:
        return NewPlain<FDefinition>(doc);
    case TAG_DIR:
        return NewCompact<FDirectory>(doc, a);
    case TAG_DIV: {
        FDivision* e = new (std::nothrow) FDivision(doc);
        if (e)
            a.Align("align", e->m_nAlign);
        return e;
    }
    case TAG_DL:
        return NewCompact<FDefinitionList>(doc, a);
    case TAG_DT:
        return NewPlain<FDefinitionTerm>(doc);
    case TAG_EM:
        return NewPlain<FEmphasis>(doc);
    case TAG_FONT: {
        // Each given-flag follows its own attribute, so a FONT changes only what it names.
        FFont* e = new (std::nothrow) FFont(doc);
        if (!e)
            return nullptr;
        if (a.Color("color", e->m_crColor))
            e->m_bColorGiven = 1;
        if (a.FontSize("size", e->m_nSize))
            e->m_bSizeGiven = 1;
        CString face;
        if (a.Raw("face", face)) {
            e->m_strFace = StripQuotes(face);
            e->m_bFaceGiven = 1;
        }
        return e;
    }
    case TAG_FORM: {
        FForm* e = new (std::nothrow) FForm(doc);
        if (!e)
            return nullptr;
        a.Text("action", e->m_strAction);
        a.Text("enctype", e->m_strEncType);
        a.Method("method", e->m_nMethod);
        return e;
    }
    case TAG_FRAME: {
        FFrame* e = new (std::nothrow) FFrame(doc);
        if (!e)
            return nullptr;
        a.Text("src", e->m_strSrc);
        a.Text("name", e->m_strName);
        a.Text("noresize", e->m_strNoResize);
        a.Text("scrolling", e->m_strScrolling);
        a.Text("marginheight", e->m_strMarginHeight);
        a.Text("marginwidth", e->m_strMarginWidth);
        return e;
    }
    case TAG_FRAMESET: {
        FFrameSet* e = new (std::nothrow) FFrameSet(doc);
        if (!e)
            return nullptr;
        a.Text("rows", e->m_strRows);
        a.Text("cols", e->m_strCols);
        return e;
    }
    case TAG_H1:
        return NewHeading<FHeading1>(doc, a);
    case TAG_H2:
        return NewHeading<FHeading2>(doc, a);
    case TAG_H3:
        return NewHeading<FHeading3>(doc, a);
    case TAG_H4:
        return NewHeading<FHeading4>(doc, a);
    case TAG_H5:
        return NewHeading<FHeading5>(doc, a);
    case TAG_H6:
        return NewHeading<FHeading6>(doc, a);
    case TAG_HEAD:
        return NewPlain<FHead>(doc);
    case TAG_HR: {
        FRule* e = new (std::nothrow) FRule(doc);
        if (!e)
            return nullptr;
        a.Align("align", e->m_nRuleAlign);
        a.Flag("noshade", e->m_bNoShade);
        a.Length("size", e->m_nSize);
        a.Length("width", e->m_nWidthAttr);
        return e;
    }
    case TAG_HTML: {
        FHtml* e = new (std::nothrow) FHtml(doc);
        if (e)
            a.Text("version", e->m_strVersion);
        return e;
    }
    case TAG_I:
        return NewPlain<FItalic>(doc);
    case TAG_IMG: {
        FImage* e = new (std::nothrow) FImage(doc);
        if (!e)
            return nullptr;
        a.Align("align", e->m_nImageAlign);
        a.Text("alt", e->m_strAlt);
        a.Length("border", e->m_nBorder);
        a.Length("height", e->m_nHeightAttr);
        a.Length("hspace", e->m_nHSpace);
        a.Flag("ismap", e->m_bIsMap);
        a.Text("src", e->m_strSrc);
        a.Text("usemap", e->m_strUseMap);
        if (!e->m_strUseMap.IsEmpty() && e->m_strUseMap[0] == '#')
            e->m_strUseMap = e->m_strUseMap.Mid(1); // "#nav" names the map "nav"
        a.Length("vspace", e->m_nVSpace);
        a.Length("width", e->m_nWidthAttr);
        return e;
    }
    case TAG_INPUT: {
        FInput* e = new (std::nothrow) FInput(doc);
        if (!e)
            return nullptr;
        a.Align("align", e->m_nInputAlign);
        a.Flag("checked", e->m_bChecked);
        a.Length("maxlength", e->m_nMaxLength);
        a.Text("name", e->m_strName);
        a.Length("size", e->m_nSize);
        a.Text("src", e->m_strSrc);
        a.Type("type", e->m_nType);
        a.Text("value", e->m_strValue);
        return e;
    }
    case TAG_ISINDEX: {
        FIsIndex* e = new (std::nothrow) FIsIndex(doc);
        if (e)
            a.Text("prompt", e->m_strPrompt);
        return e;
    }
    case TAG_KBD:
        return NewPlain<FKeyboard>(doc);
    case TAG_LI: {
        FListItem* e = new (std::nothrow) FListItem(doc);
        if (!e)
            return nullptr;
        a.Type("type", e->m_nType);
        a.Length("value", e->m_nValue);
        return e;
    }
    case TAG_LINK: {
        FLink* e = new (std::nothrow) FLink(doc);
        if (!e)
            return nullptr;
        a.Text("href", e->m_strHref);
        a.Text("id", e->m_strId);
        a.Text("rel", e->m_strRel);
        a.Text("rev", e->m_strRev);
        a.Text("title", e->m_strTitle);
        return e;
    }
    case TAG_LISTING:
        return NewPlain<FListing>(doc);
    case TAG_MAP: {
        FMap* e = new (std::nothrow) FMap(doc);
        if (!e)
            return nullptr;
        CString mapName;
        if (a.Raw("name", mapName)) {
            e->m_strName = StripQuotes(mapName);
            // A later map of the same name replaces this one in the registry.
            if (doc && doc->m_pMapManager)
                doc->m_pMapManager->AddMap(e->m_strName, e);
        }
        return e;
    }
    case TAG_MENU:
        return NewCompact<FMenu>(doc, a);
    case TAG_META: {
        FMeta* e = new (std::nothrow) FMeta(doc);
        if (!e)
            return nullptr;
        a.Text("content", e->m_strContent);
        a.Text("http-equiv", e->m_strHttpEquiv);
        a.Text("name", e->m_strName);
        return e;
    }
    case TAG_NOFRAMES:
        return NewPlain<FNoFrames>(doc);
    case TAG_OL: {
        FOrderedList* e = new (std::nothrow) FOrderedList(doc);
        if (!e)
            return nullptr;
        a.Flag("compact", e->m_bCompact);
        a.Length("start", e->m_nStart);
        a.Type("type", e->m_nType);
        return e;
    }
    case TAG_OPTION: {
        FOption* e = new (std::nothrow) FOption(doc);
        if (!e)
            return nullptr;
        a.Flag("selected", e->m_bSelected);
        a.Text("value", e->m_strValue);
        return e;
    }
    case TAG_P: {
        FParagraph* e = new (std::nothrow) FParagraph(doc);
        if (e)
            a.Align("align", e->m_nAlign);
        return e;
    }
    case TAG_PARAM: {
        FParam* e = new (std::nothrow) FParam(doc);
        if (!e)
            return nullptr;
        a.Text("name", e->m_strName);
        a.Text("value", e->m_strValue);
        return e;
    }
    case TAG_PRE: {
        FPreformatted* e = new (std::nothrow) FPreformatted(doc);
        if (e)
            a.Length("width", e->m_nWidth);
        return e;
    }
    case TAG_SAMP:
        return NewPlain<FSample>(doc);
    case TAG_SCRIPT:
        return NewPlain<FScript>(doc);
    case TAG_SELECT: {
        FSelect* e = new (std::nothrow) FSelect(doc);
        if (!e)
            return nullptr;
        a.Flag("multiple", e->m_bMultiple);
        a.Text("name", e->m_strName);
        a.Length("size", e->m_nSize);
        return e;
    }
    case TAG_SMALL:
        return NewPlain<FSmall>(doc);
    case TAG_STRIKE:
        return NewPlain<FStrike>(doc);
    case TAG_STRONG:
        return NewPlain<FStrong>(doc);
    case TAG_STYLE:
        return NewPlain<FStyle>(doc);
    case TAG_SUB:
        return NewPlain<FSubscript>(doc);
    case TAG_SUP:
        return NewPlain<FSuperscript>(doc);
    case TAG_TABLE: {
        FTable* e = new (std::nothrow) FTable(doc);
        if (!e)
            return nullptr;
        a.Align("align", e->m_nTableAlign);
        // Only a floating table lets the text continue beside it.
        if (e->m_nTableAlign != ALIGN_LEFT && e->m_nTableAlign != ALIGN_RIGHT)
            e->m_dwFlags |= EF_LINEBREAK;
        CString border;
        if (!a.Raw("border", border))
            e->m_nBorder = 0;
        else if (border.str() == "true")
            e->m_nBorder = 1;
        else
            e->m_nBorder = ParseLength(StripQuotes(border)); // a bare border arrives as "EXIST": 1
        a.Length("cellpadding", e->m_nCellPadding);
        a.Length("cellspacing", e->m_nCellSpacing);
        a.Length("width", e->m_nWidthAttr);
        a.Color("bgcolor", e->m_crBgColor);
        a.Color("bordercolor", e->m_crBorderColor);
        a.Color("bordercolordark", e->m_crBorderDark);
        a.Color("bordercolorlight", e->m_crBorderLight);
        return e;
    }
    case TAG_TD: {
        FTableCell* e = new (std::nothrow) FTableCell(doc);
        if (e)
            ReadCell(e, a);
        return e;
    }
    case TAG_TEXTAREA: {
        FTextArea* e = new (std::nothrow) FTextArea(doc);
        if (!e)
            return nullptr;
        a.Length("cols", e->m_nCols);
        a.Text("name", e->m_strName);
        a.Length("rows", e->m_nRowsAttr);
        return e;
    }
    case TAG_TFOOT:
        return NewPlain<FTableFoot>(doc);
    case TAG_TH: {
        FTableHeader* e = new (std::nothrow) FTableHeader(doc);
        if (e)
            ReadCell(e, a);
        return e;
    }
    case TAG_TITLE:
        return NewPlain<FTitle>(doc);
    case TAG_TR: {
        FTableRow* e = new (std::nothrow) FTableRow(doc);
        if (!e)
            return nullptr;
        a.Align("align", e->m_nRowAlign);
        a.VAlign("valign", e->m_nRowVAlign);
        a.Color("bgcolor", e->m_crBgColor);
        return e;
    }
    case TAG_TT:
        return NewPlain<FTeletype>(doc);
    case TAG_U:
        return NewPlain<FUnderline>(doc);
    case TAG_UL: {
        FUnorderedList* e = new (std::nothrow) FUnorderedList(doc);
        if (!e)
            return nullptr;
        a.Flag("compact", e->m_bCompact);
        a.Type("type", e->m_nType);
        return e;
    }
    case TAG_VAR:
        return NewPlain<FVariable>(doc);
    case KIND_TEXT:
        return NewPlain<FText>(doc); // WBR: an empty word that lets the line break there
    case TAG_XMP:
        return NewPlain<FExample>(doc);
    default:
        return nullptr; // not reached: every index up to 75 is handled above
    }
}

void CTransformer::AddText(CElement* parent, CTagNode* textNode)
{
    if (!parent || !textNode)
        return;
    const CString text = textNode->GetValueOf("data", 0, 0);

    // Inside PRE the text stays whole, line breaks and runs of spaces included.
    if (textNode->Find("pre", TAGFIND_ANCESTORS, 0)) {
        AppendText(parent, m_pDoc, text, TRUE);
        return;
    }

    // A word is a run of bytes outside 1..32 taken as signed chars, so both bytes of a two-byte
    // character always stay in the word. Each word but a last unterminated one carries one space.
    const char* p = text.GetString();
    const int len = text.GetLength();
    int start = -1;
    for (int i = 0; i < len; ++i) {
        const signed char c = static_cast<signed char>(p[i]);
        const bool white = c >= 1 && c <= 32;
        if (!white && start < 0) {
            start = i;
        } else if (white && start >= 0) {
            AppendText(parent, m_pDoc, CString(p + start, i - start) + " ", FALSE);
            start = -1;
        }
    }
    if (start >= 0)
        AppendText(parent, m_pDoc, CString(p + start, len - start), FALSE);
}
