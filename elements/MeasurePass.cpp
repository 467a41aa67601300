// CMeasurePass: the tree searches of a measure or layout walk, with what the walk remembers to stay linear.
#include "elements/MeasurePass.h"

#include "korlib/PointerMap.h"
#include "korhtml/HtmlSrvr.h"

#include <deque>
#include <vector>

namespace {

// The font description the font elements around a point build, outermost first.
struct FontState
{
    LOGFONT lf{};
    bool bColour = false; // one of them sets the colour: crText
    COLORREF crText = 0;
    CFont* pFont = nullptr; // registered when a run first asks for it
};

// What an element hands down to the elements inside it: the result of the ancestor walks of
// InheritAlign, ComputeListLevel and ResolveFont started at that element.
struct Inherited
{
    int nAlign = 0; // 0: no aligning element before the context ends
    int nListLevel = 0;
    int bInListItem = 0;
    FontState* pFont = nullptr; // null when no font element encloses; shared with the ancestors
};

// The plain walks, for the pass that remembers nothing.

void WalkFindPrev(CElement* e, BOOL includeSelf, CElement** para, CElement** line)
{
    *para = e->FindPrevByFlags(EF_PARAGRAPH, includeSelf, nullptr);
    *line = e->FindPrevByFlags(EF_LINEBREAK, includeSelf, nullptr);
}

void WalkInherited(CElement* parent, int* align, int* listLevel, int* inListItem)
{
    *align = 0;
    for (CElement* a = parent; a; a = a->GetParentElement()) {
        if (a->m_dwFlags & EF_CONTEXT)
            break;
        if ((a->m_dwFlags & EF_ALIGN) && a->GetAlign() != 0) {
            *align = a->GetAlign();
            break;
        }
    }
    *listLevel = 0;
    *inListItem = 0;
    bool listMet = false;
    for (CElement* a = parent; a; a = a->GetParentElement()) {
        if (a->m_dwFlags & EF_CONTEXT)
            break;
        if (a->m_dwFlags & EF_LIST) {
            ++*listLevel;
            listMet = true;
        } else if (!listMet && a->m_nKind == TAG_LI) {
            *inListItem = 1;
        }
    }
}

BOOL WalkFont(CElement* parent, COLORREF base, CFont** font, COLORREF* color)
{
    std::vector<CElement*> fonts;
    for (CElement* a = parent ? parent->FindAncestorByFlags(EF_FONT, TRUE, nullptr) : nullptr; a;
         a = a->FindAncestorByFlags(EF_FONT, FALSE, nullptr))
        fonts.push_back(a);
    if (fonts.empty())
        return FALSE;
    // The outermost font element (normally BODY) sets the whole description; starting from the
    // body font keeps fields sound when it does not.
    LOGFONT lf = *GetLogFont(0);
    *color = base;
    for (auto it = fonts.rbegin(); it != fonts.rend(); ++it)
        (*it)->ApplyFont(&lf, color);
    *font = RegisterFont(&lf);
    return TRUE;
}

CMeasurePass* g_pCurrent = nullptr;

} // namespace

// What a pass remembers (see CMeasurePass), and the searches that use it.
struct CMeasurePass::Memo
{
    // What the last search found (either may be null), and what the searches kept for later
    // found (see Keep).
    struct Found
    {
        CElement* pPara = nullptr;
        CElement* pLine = nullptr;
    };
    CTreeNode* pStart = nullptr;
    Found last;
    CPointerMap<CTreeNode, Found> kept;
    // Visible ranges of the two elements last asked about; iNext is the slot to replace next.
    struct Range
    {
        CElement* pOwner = nullptr;
        CVisible* pFirst = nullptr;
        CVisible* pAfter = nullptr;
    } ranges[2];
    int iNext = 0;

    // What each ancestor met so far hands down; the font states of the font elements among them;
    // the entry asked for last.
    // The entries live in a deque, which never moves them: entries point at each other's fonts and
    // the answer to the last question is held by pointer.
    CPointerMap<CElement, Inherited*> inherited;
    std::deque<Inherited> entries;
    std::deque<FontState> fonts;
    CElement* pAsked = nullptr;
    Inherited* pAnswer = nullptr;
    // Last leaves of subtrees, and next visible elements, found so far.
    CPointerMap<CTreeNode, CTreeNode*> lastLeaf;
    CPointerMap<CTreeNode, CVisible*> nextVisible;
    // The nodes a search passed, to note its answer for each; kept to spare an allocation per search.
    std::vector<CElement*> elementPath;
    std::vector<CTreeNode*> nodePath;

    void FindPrev(CElement* e, BOOL includeSelf, CElement** para, CElement** line);
    void GetRange(CElement* e, CVisible** first, CVisible** after);
    Inherited& Entry(CElement* e);
    CVisible* NextVisible(CTreeNode* n);
    CTreeNode* LastLeaf(CElement* e);
};

void CMeasurePass::Memo::FindPrev(CElement* e, BOOL includeSelf, CElement** para, CElement** line)
{
    // One walk back for both flags. The answers for a node are the first matches in the sequence
    // node, its depth-first predecessor, ...; once the walk reaches the node where the previous
    // search started, the rest of the sequence is the one that search already walked.
    CTreeNode* start = includeSelf ? e : e->GetDFSPrev();
    if (includeSelf && !kept.IsEmpty()) {
        if (const Found* found = kept.Find(start)) {
            *para = found->pPara;
            *line = found->pLine;
            return;
        }
    }
    CElement* p = nullptr;
    CElement* q = nullptr;
    bool needPara = true;
    bool needLine = true;
    for (CTreeNode* n = start; n && (needPara || needLine); n = n->GetDFSPrev()) {
        if (n == pStart) {
            if (needPara)
                p = last.pPara;
            if (needLine)
                q = last.pLine;
            break;
        }
        CElement* el = static_cast<CElement*>(n);
        if (needPara && (el->m_dwFlags & EF_PARAGRAPH)) {
            p = el;
            needPara = false;
        }
        if (needLine && (el->m_dwFlags & EF_LINEBREAK)) {
            q = el;
            needLine = false;
        }
    }
    if (start) {
        pStart = start;
        last.pPara = p;
        last.pLine = q;
    }
    *para = p;
    *line = q;
}

void CMeasurePass::Memo::GetRange(CElement* e, CVisible** first, CVisible** after)
{
    for (const Range& r : ranges) {
        if (r.pOwner == e) {
            *first = r.pFirst;
            *after = r.pAfter;
            return;
        }
    }
    e->GetVisibleRange(first, after);
    Range& slot = ranges[iNext];
    slot.pOwner = e;
    slot.pFirst = *first;
    slot.pAfter = *after;
    iNext ^= 1;
}

// The entry of e, made with the entries of every ancestor not met before, outermost first.
Inherited& CMeasurePass::Memo::Entry(CElement* e)
{
    // The words and other elements of one parent ask one after another.
    if (e == pAsked)
        return *pAnswer;
    pAsked = e;
    if (Inherited** found = inherited.Find(e))
        return *(pAnswer = *found);
    std::vector<CElement*>& path = elementPath;
    path.clear();
    const Inherited* above = nullptr;
    for (CElement* a = e; a; a = a->GetParentElement()) {
        if (Inherited** found = inherited.Find(a)) {
            above = *found;
            break;
        }
        path.push_back(a);
    }
    Inherited outside; // what the root's parent would hand down: nothing
    Inherited* made = nullptr;
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        CElement* a = *it;
        const Inherited& up = above ? *above : outside;
        Inherited here;
        if (a->m_dwFlags & EF_CONTEXT) {
            // Alignment and lists end at a context; fonts go on through it.
        } else {
            here.nAlign = up.nAlign;
            if (a->m_dwFlags & EF_ALIGN) {
                const int align = a->GetAlign();
                if (align != 0)
                    here.nAlign = align;
            }
            if (a->m_dwFlags & EF_LIST) {
                here.nListLevel = up.nListLevel + 1;
            } else {
                here.nListLevel = up.nListLevel;
                here.bInListItem = a->m_nKind == TAG_LI ? 1 : up.bInListItem;
            }
        }
        here.pFont = up.pFont;
        if (a->m_dwFlags & EF_FONT) {
            FontState& font = fonts.emplace_back();
            font.lf = up.pFont ? up.pFont->lf : *GetLogFont(0);
            if (up.pFont && up.pFont->bColour) {
                font.bColour = true;
                font.crText = up.pFont->crText;
                a->ApplyFont(&font.lf, &font.crText);
            } else {
                // The colour a run starts from is its own; applied to two different colours, an
                // element that sets one gives the same colour both times.
                LOGFONT other = font.lf;
                COLORREF black = 0, white = 0xFFFFFF;
                a->ApplyFont(&font.lf, &black);
                a->ApplyFont(&other, &white);
                font.bColour = black == white;
                font.crText = black;
            }
            here.pFont = &font;
        }
        made = &entries.emplace_back(here);
        inherited.Insert(a, made);
        above = made;
    }
    pAnswer = made;
    return *made;
}

CVisible* CMeasurePass::Memo::NextVisible(CTreeNode* n)
{
    // Every node passed on the way has the same answer.
    std::vector<CTreeNode*>& path = nodePath;
    path.clear();
    CVisible* found = nullptr;
    for (CTreeNode* m = n; m;) {
        if (CVisible** known = nextVisible.Find(m)) {
            found = *known;
            break;
        }
        path.push_back(m);
        m = m->GetDFSNext();
        if (m && (static_cast<CElement*>(m)->m_dwFlags & EF_VISIBLE)) {
            found = static_cast<CVisible*>(m);
            break;
        }
    }
    for (CTreeNode* m : path)
        nextVisible.Insert(m, found);
    return found;
}

CTreeNode* CMeasurePass::Memo::LastLeaf(CElement* e)
{
    // Every node passed on the way down has the same last leaf.
    std::vector<CTreeNode*>& path = nodePath;
    path.clear();
    CTreeNode* leaf = e;
    for (;;) {
        if (CTreeNode** known = lastLeaf.Find(leaf)) {
            leaf = *known;
            break;
        }
        CTreeNode* child = leaf->GetLastChild();
        if (!child)
            break;
        path.push_back(leaf);
        leaf = child;
    }
    for (CTreeNode* m : path)
        lastLeaf.Insert(m, leaf);
    return leaf;
}

// ---- the pass ----

CMeasurePass::CMeasurePass()
    : m_pMemo(std::make_unique<Memo>()), m_nEdits(CTreeNode::GetEditCount()), m_pOuter(g_pCurrent)
{
    g_pCurrent = this;
}

CMeasurePass::CMeasurePass(Idle) {}

CMeasurePass::~CMeasurePass()
{
    if (g_pCurrent == this)
        g_pCurrent = m_pOuter;
}

CMeasurePass& CMeasurePass::Current()
{
    static CMeasurePass idle{Idle{}};
    return g_pCurrent ? *g_pCurrent : idle;
}

CMeasurePass::Memo* CMeasurePass::Fresh()
{
    if (!m_pMemo)
        return nullptr;
    const unsigned long long edits = CTreeNode::GetEditCount();
    if (edits != m_nEdits) {
        *m_pMemo = Memo();
        m_nEdits = edits;
    }
    return m_pMemo.get();
}

int CMeasurePass::BreakBits(CElement* e, BOOL includeSelf)
{
    Memo* memo = Fresh();
    CElement* p = nullptr;
    CElement* q = nullptr;
    if (memo)
        memo->FindPrev(e, includeSelf, &p, &q);
    else
        WalkFindPrev(e, includeSelf, &p, &q);
    int bits = 0;
    CVisible* first = nullptr;
    CVisible* after = nullptr;
    if (p) {
        if (memo)
            memo->GetRange(p, &first, &after);
        else
            p->GetVisibleRange(&first, &after);
        if (first == e || after == e)
            bits |= BRK_PARA;
    }
    first = after = nullptr;
    if (q) {
        if (memo)
            memo->GetRange(q, &first, &after);
        else
            q->GetVisibleRange(&first, &after);
        if (first == e || after == e)
            bits |= BRK_LINE;
    }
    return bits;
}

void CMeasurePass::Keep(CElement* e)
{
    Memo* memo = Fresh();
    if (!memo)
        return;
    CElement* p = nullptr;
    CElement* q = nullptr;
    memo->FindPrev(e, TRUE, &p, &q);
    memo->kept[e] = Memo::Found{p, q};
}

void CMeasurePass::GetInherited(CElement* parent, int* align, int* listLevel, int* inListItem)
{
    Memo* memo = Fresh();
    if (!memo || !parent) {
        WalkInherited(parent, align, listLevel, inListItem);
        return;
    }
    const Inherited& in = memo->Entry(parent);
    *align = in.nAlign;
    *listLevel = in.nListLevel;
    *inListItem = in.bInListItem;
}

BOOL CMeasurePass::GetFont(CElement* parent, COLORREF base, CFont** font, COLORREF* color)
{
    Memo* memo = Fresh();
    if (!memo || !parent)
        return WalkFont(parent, base, font, color);
    FontState* state = memo->Entry(parent).pFont;
    if (!state)
        return FALSE;
    if (!state->pFont)
        state->pFont = RegisterFont(&state->lf);
    *font = state->pFont;
    *color = state->bColour ? state->crText : base;
    return TRUE;
}

CVisible* CMeasurePass::NextVisible(CTreeNode* n)
{
    if (!n)
        return nullptr;
    Memo* memo = Fresh();
    if (!memo)
        return static_cast<CElement*>(n)->CElement::GetNextVisible(FALSE, nullptr);
    return memo->NextVisible(n);
}

CTreeNode* CMeasurePass::LastLeaf(CElement* e)
{
    Memo* memo = Fresh();
    return memo ? memo->LastLeaf(e) : e->GetRightMostLeaf();
}

CVisible* CMeasurePass::NextVisibleAfter(CElement* e)
{
    return e ? NextVisible(LastLeaf(e)) : nullptr;
}
