// CMeasureCache: the answers a measure or layout pass remembers so that its tree searches stay linear.
#include "elements/MeasureCache.h"
#include "korhtml/HtmlSrvr.h"

#include <unordered_map>
#include <vector>

namespace {

constexpr int kListItemKind = 41;

// What an element hands down to the elements inside it: the result of the ancestor walks of
// InheritAlign, ComputeListLevel and ResolveFont started at that element.
struct Inherited
{
    int nAlign = 0; // 0: no aligning element before the context ends
    int nListLevel = 0;
    int bInListItem = 0;
    bool bFont = false;   // some font element encloses: lf holds the description
    bool bColour = false; // one of them sets the colour: crText
    LOGFONT lf{};
    COLORREF crText = 0;
    CFont* pFont = nullptr; // registered when a run first asks for it
};

// What a measure pass remembers (see CMeasureCache).
struct PassMemo
{
    int nScopes = 0;
    // What the searches from visible elements found (either may be null). The last one is kept
    // apart: the next search nearly always walks back onto it.
    struct Found
    {
        CElement* pPara = nullptr;
        CElement* pLine = nullptr;
    };
    std::unordered_map<CTreeNode*, Found> found;
    CTreeNode* pStart = nullptr;
    Found last;
    // Visible ranges of the two elements last asked about; iNext is the slot to replace next.
    struct Range
    {
        CElement* pOwner = nullptr;
        CVisible* pFirst = nullptr;
        CVisible* pAfter = nullptr;
    } ranges[2];
    int iNext = 0;

    // What each ancestor met so far hands down.
    std::unordered_map<CElement*, Inherited> inherited;
    // Last leaves of subtrees, and next visible elements, found so far.
    std::unordered_map<CTreeNode*, CTreeNode*> lastLeaf;
    std::unordered_map<CTreeNode*, CVisible*> nextVisible;

    void Clear()
    {
        inherited.clear();
        lastLeaf.clear();
        nextVisible.clear();
        found.clear();
        pStart = nullptr;
        last = Found();
        ranges[0] = ranges[1] = Range();
        iNext = 0;
    }
};

PassMemo g_memo;

} // namespace

CMeasureCache::CMeasureCache()
{
    if (g_memo.nScopes++ == 0)
        g_memo.Clear();
}

CMeasureCache::~CMeasureCache()
{
    if (--g_memo.nScopes == 0)
        g_memo.Clear();
}

void CMeasureCache::Reset()
{
    g_memo.Clear();
}

void CMeasureCache::FindPrev(CElement* e, BOOL includeSelf, CElement** para, CElement** line)
{
    if (g_memo.nScopes == 0) {
        *para = e->FindPrevByFlags(EF_PARAGRAPH, includeSelf, nullptr);
        *line = e->FindPrevByFlags(EF_LINEBREAK, includeSelf, nullptr);
        return;
    }
    // One walk back for both flags. The answers for a node are the first matches in the sequence
    // node, its depth-first predecessor, ...; once the walk reaches a visible element where an
    // earlier search started, the rest of the sequence is the one that search already walked. Every
    // search that starts at a visible element is remembered, so searches made in any order (tables
    // are measured after their content, inner ones first) walk each stretch of the tree once.
    CTreeNode* start = includeSelf ? e : e->GetDFSPrev();
    CElement* p = nullptr;
    CElement* q = nullptr;
    bool needPara = true;
    bool needLine = true;
    for (CTreeNode* n = start; n && (needPara || needLine); n = n->GetDFSPrev()) {
        CElement* el = static_cast<CElement*>(n);
        const PassMemo::Found* known = nullptr;
        if (n == g_memo.pStart) {
            known = &g_memo.last;
        } else if (el->m_dwFlags & EF_VISIBLE) {
            auto it = g_memo.found.find(n);
            if (it != g_memo.found.end())
                known = &it->second;
        }
        if (known) {
            if (needPara)
                p = known->pPara;
            if (needLine)
                q = known->pLine;
            break;
        }
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
        g_memo.pStart = start;
        g_memo.last.pPara = p;
        g_memo.last.pLine = q;
        if (static_cast<CElement*>(start)->m_dwFlags & EF_VISIBLE)
            g_memo.found[start] = g_memo.last;
    }
    *para = p;
    *line = q;
}

void CMeasureCache::GetRange(CElement* e, CVisible** first, CVisible** after)
{
    if (g_memo.nScopes == 0) {
        e->GetVisibleRange(first, after);
        return;
    }
    for (const PassMemo::Range& r : g_memo.ranges) {
        if (r.pOwner == e) {
            *first = r.pFirst;
            *after = r.pAfter;
            return;
        }
    }
    e->GetVisibleRange(first, after);
    PassMemo::Range& slot = g_memo.ranges[g_memo.iNext];
    slot.pOwner = e;
    slot.pFirst = *first;
    slot.pAfter = *after;
    g_memo.iNext ^= 1;
}

namespace {

// The slow walks, for calls outside a pass.
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
        } else if (!listMet && a->m_nKind == kListItemKind) {
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

// The entry of e, made with the entries of every ancestor not met before, outermost first.
Inherited& Entry(CElement* e)
{
    auto found = g_memo.inherited.find(e);
    if (found != g_memo.inherited.end())
        return found->second;
    std::vector<CElement*> path;
    const Inherited* above = nullptr;
    for (CElement* a = e; a; a = a->GetParentElement()) {
        found = g_memo.inherited.find(a);
        if (found != g_memo.inherited.end()) {
            above = &found->second;
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
                here.bInListItem = a->m_nKind == kListItemKind ? 1 : up.bInListItem;
            }
        }
        here.bFont = up.bFont;
        here.bColour = up.bColour;
        here.lf = up.bFont ? up.lf : *GetLogFont(0);
        here.crText = up.crText;
        here.pFont = up.pFont;
        if (a->m_dwFlags & EF_FONT) {
            if (here.bColour) {
                a->ApplyFont(&here.lf, &here.crText);
            } else {
                // The colour a run starts from is its own; applied to two different colours, an
                // element that sets one gives the same colour both times.
                LOGFONT other = here.lf;
                COLORREF black = 0, white = 0xFFFFFF;
                a->ApplyFont(&here.lf, &black);
                a->ApplyFont(&other, &white);
                here.bColour = black == white;
                here.crText = black;
            }
            here.bFont = true;
            here.pFont = nullptr;
        }
        made = &g_memo.inherited.emplace(a, here).first->second;
        above = made;
    }
    return *made;
}

} // namespace

BOOL CMeasureCache::GetInherited(CElement* parent, int* align, int* listLevel, int* inListItem)
{
    if (g_memo.nScopes == 0 || !parent) {
        WalkInherited(parent, align, listLevel, inListItem);
        return g_memo.nScopes != 0;
    }
    const Inherited& in = Entry(parent);
    *align = in.nAlign;
    *listLevel = in.nListLevel;
    *inListItem = in.bInListItem;
    return TRUE;
}

BOOL CMeasureCache::GetFont(CElement* parent, COLORREF base, CFont** font, COLORREF* color)
{
    if (g_memo.nScopes == 0 || !parent)
        return WalkFont(parent, base, font, color);
    Inherited& in = Entry(parent);
    if (!in.bFont)
        return FALSE;
    if (!in.pFont)
        in.pFont = RegisterFont(&in.lf);
    *font = in.pFont;
    *color = in.bColour ? in.crText : base;
    return TRUE;
}

CVisible* CMeasureCache::NextVisible(CTreeNode* n)
{
    if (!n)
        return nullptr;
    if (g_memo.nScopes == 0)
        return static_cast<CElement*>(n)->CElement::GetNextVisible(FALSE, nullptr);
    // Every node passed on the way has the same answer.
    std::vector<CTreeNode*> path;
    CVisible* found = nullptr;
    for (CTreeNode* m = n; m;) {
        auto known = g_memo.nextVisible.find(m);
        if (known != g_memo.nextVisible.end()) {
            found = known->second;
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
        g_memo.nextVisible.emplace(m, found);
    return found;
}

CTreeNode* CMeasureCache::LastLeaf(CElement* e)
{
    if (g_memo.nScopes == 0)
        return e->GetRightMostLeaf();
    // Every node passed on the way down has the same last leaf.
    std::vector<CTreeNode*> path;
    CTreeNode* leaf = e;
    for (;;) {
        auto known = g_memo.lastLeaf.find(leaf);
        if (known != g_memo.lastLeaf.end()) {
            leaf = known->second;
            break;
        }
        CTreeNode* last = leaf->GetLastChild();
        if (!last)
            break;
        path.push_back(leaf);
        leaf = last;
    }
    for (CTreeNode* m : path)
        g_memo.lastLeaf.emplace(m, leaf);
    return leaf;
}

CVisible* CMeasureCache::NextVisibleAfter(CElement* e)
{
    return e ? NextVisible(LastLeaf(e)) : nullptr;
}
