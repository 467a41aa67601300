// CTransformer: the tag index dispatch and the word splitting of text nodes.
#include "transform/Transformer.h"

#include <array>
#include <cstring>
#include <new>
#include <string>

#include "korhtml/FormElements.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/ImageElement.h"
#include "korhtml/MapElements.h"
#include "korhtml/RuleElements.h"
#include "korhtml/SimpleElements.h"
#include "korhtml/TableElements.h"
#include "korhtml/TextElement.h"
#include "kortag/kortag.h"
#include "transform/AttrReader.h"

IMPLEMENT_DYNCREATE(CTransformer, CObject)

namespace {

// Builds the element of one tag index and fills its attribute fields.
using Factory = CElement* (*)(CHtmlX* doc, const CAttrReader& a);

// An element that cannot be allocated reads no attribute.
template <class T> CElement* Make(CHtmlX* doc, const CAttrReader& a)
{
    T* e = new (std::nothrow) T(doc);
    if (e)
        e->ReadAttributes(a);
    return e;
}

// The element class of every tag index, each class reading its own attributes. PLAINTEXT has no
// class and is built like an unlisted tag.
constexpr std::array<Factory, TAG_LAST + 1> kFactories = [] {
    std::array<Factory, TAG_LAST + 1> f{};
    f[TAG_A] = Make<FAnchor>;
    f[TAG_ADDRESS] = Make<FAddress>;
    f[TAG_APPLET] = Make<FApplet>;
    f[TAG_AREA] = Make<FArea>;
    f[TAG_B] = Make<FBold>;
    f[TAG_BASE] = Make<FBase>;
    f[TAG_BIG] = Make<FBig>;
    f[TAG_BLINK] = Make<FBlink>;
    f[TAG_BLOCKQUOTE] = Make<FBlockQuote>;
    f[TAG_BODY] = Make<FBody>;
    f[TAG_BR] = Make<FBreak>;
    f[TAG_CAPTION] = Make<FCaption>;
    f[TAG_CENTER] = Make<FCenter>;
    f[TAG_CITE] = Make<FCite>;
    f[TAG_CODE] = Make<FCode>;
    f[TAG_COMMENT] = Make<FComment>;
    f[TAG_DD] = Make<FDefinitionData>;
    f[TAG_DFN] = Make<FDefinition>;
    f[TAG_DIR] = Make<FDirectory>;
    f[TAG_DIV] = Make<FDivision>;
    f[TAG_DL] = Make<FDefinitionList>;
    f[TAG_DT] = Make<FDefinitionTerm>;
    f[TAG_EM] = Make<FEmphasis>;
    f[TAG_FONT] = Make<FFont>;
    f[TAG_FORM] = Make<FForm>;
    f[TAG_FRAME] = Make<FFrame>;
    f[TAG_FRAMESET] = Make<FFrameSet>;
    f[TAG_H1] = Make<FHeading1>;
    f[TAG_H2] = Make<FHeading2>;
    f[TAG_H3] = Make<FHeading3>;
    f[TAG_H4] = Make<FHeading4>;
    f[TAG_H5] = Make<FHeading5>;
    f[TAG_H6] = Make<FHeading6>;
    f[TAG_HEAD] = Make<FHead>;
    f[TAG_HR] = Make<FRule>;
    f[TAG_HTML] = Make<FHtml>;
    f[TAG_I] = Make<FItalic>;
    f[TAG_IMG] = Make<FImage>;
    f[TAG_INPUT] = Make<FInput>;
    f[TAG_ISINDEX] = Make<FIsIndex>;
    f[TAG_KBD] = Make<FKeyboard>;
    f[TAG_LI] = Make<FListItem>;
    f[TAG_LINK] = Make<FLink>;
    f[TAG_LISTING] = Make<FListing>;
    f[TAG_MAP] = Make<FMap>;
    f[TAG_MENU] = Make<FMenu>;
    f[TAG_META] = Make<FMeta>;
    f[TAG_NOFRAMES] = Make<FNoFrames>;
    f[TAG_OL] = Make<FOrderedList>;
    f[TAG_OPTION] = Make<FOption>;
    f[TAG_P] = Make<FParagraph>;
    f[TAG_PARAM] = Make<FParam>;
    f[TAG_PRE] = Make<FPreformatted>;
    f[TAG_SAMP] = Make<FSample>;
    f[TAG_SCRIPT] = Make<FScript>;
    f[TAG_SELECT] = Make<FSelect>;
    f[TAG_SMALL] = Make<FSmall>;
    f[TAG_STRIKE] = Make<FStrike>;
    f[TAG_STRONG] = Make<FStrong>;
    f[TAG_STYLE] = Make<FStyle>;
    f[TAG_SUB] = Make<FSubscript>;
    f[TAG_SUP] = Make<FSuperscript>;
    f[TAG_TABLE] = Make<FTable>;
    f[TAG_TD] = Make<FTableCell>;
    f[TAG_TEXTAREA] = Make<FTextArea>;
    f[TAG_TFOOT] = Make<FTableFoot>;
    f[TAG_TH] = Make<FTableHeader>;
    f[TAG_TITLE] = Make<FTitle>;
    f[TAG_TR] = Make<FTableRow>;
    f[TAG_TT] = Make<FTeletype>;
    f[TAG_U] = Make<FUnderline>;
    f[TAG_UL] = Make<FUnorderedList>;
    f[TAG_VAR] = Make<FVariable>;
    f[TAG_WBR] = Make<FText>; // an empty word that lets the line break there
    f[TAG_XMP] = Make<FExample>;
    return f;
}();

// Appends one text element holding the n bytes at p, and one space after them when space is set,
// to parent; nothing when it cannot be allocated.
void AppendText(CElement* parent, CHtmlX* doc, const char* p, int n, bool space, BOOL pre)
{
    FText* text = new (std::nothrow) FText(doc);
    if (!text)
        return;
    text->SetPre(pre);
    if (!space) {
        text->m_strRaw.Assign(p, n);
    } else if (n < 64) {
        // A word and its space are put together on the stack: words are made by the hundred thousand.
        char run[64];
        std::memcpy(run, p, size_t(n));
        run[n] = ' ';
        text->m_strRaw.Assign(run, n + 1);
    } else {
        std::string run(p, size_t(n));
        run += ' ';
        text->m_strRaw.Assign(run.data(), int(run.size()));
    }
    parent->AddLastChild(text);
}

} // namespace

CTransformer::CTransformer() : m_pDoc(nullptr) {}

CTransformer::~CTransformer() = default;

CElement* CTransformer::Transform(CTagNode* node)
{
    return Build(node, false);
}

CElement* CTransformer::TransformAndDelete(CTagNode* node)
{
    CElement* top = Build(node, true);
    delete node;
    return top;
}

CElement* CTransformer::Build(CTagNode* node, bool deleteTags)
{
    if (!node)
        return nullptr;
    CElement* top = CreateElement(node);
    if (!top || node->IsLeaf())
        return top;

    // Pre-order walk of node's subtree. parent is always the element built for cur's parent tag.
    // A tag node is done once the walk moves past it; by then its children are gone, so deleting
    // it as it is left costs no walk of its own.
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
            CTagNode* up = static_cast<CTagNode*>(cur->GetParent());
            if (deleteTags)
                delete cur;
            cur = up;
            if (cur != node)
                parent = static_cast<CElement*>(parent->GetParent());
        }
        if (cur == node)
            break;
        CTagNode* next = static_cast<CTagNode*>(cur->GetNextSibling());
        if (deleteTags)
            delete cur;
        cur = next;
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
    const Factory make = unsigned(index) <= unsigned(TAG_LAST) ? kFactories[index] : nullptr;
    if (make)
        return make(m_pDoc, CAttrReader(node));

    // Unlisted tags become inert comments that remember the tag name.
    FComment* e = new (std::nothrow) FComment(m_pDoc);
    if (e)
        e->m_strComment = name;
    return e;
}

void CTransformer::AddText(CElement* parent, CTagNode* textNode)
{
    if (!parent || !textNode)
        return;
    // A text node's data is read in place: a large PRE text is not copied.
    const CString attr = textNode->IsText() ? CString() : textNode->GetValueOf("data", 0, 0);
    const CString& text = textNode->IsText() ? textNode->GetData() : attr;

    // Inside PRE the text stays whole, line breaks and runs of spaces included.
    if (textNode->Find("pre", TAGFIND_ANCESTORS, 0)) {
        AppendText(parent, m_pDoc, text.GetString(), text.GetLength(), false, TRUE);
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
            AppendText(parent, m_pDoc, p + start, i - start, true, FALSE);
            start = -1;
        }
    }
    if (start >= 0)
        AppendText(parent, m_pDoc, p + start, len - start, false, FALSE);
}
