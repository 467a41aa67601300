// CElement: construction, the tree searches by kind and by flags, and the default virtual operations.
#include "korhtml/Element.h"
#include "korlib/korlib.h"
#include "elements/MeasurePass.h"

#include <cstring>

namespace {

// Every node of an element tree is an element.
inline CElement* El(CTreeNode* n)
{
    return static_cast<CElement*>(n);
}

struct ByKind
{
    int kind;
    bool operator()(const CElement* e) const { return e->m_nKind == kind; }
};

struct ByFlags
{
    DWORD mask;
    bool operator()(const CElement* e) const { return (e->m_dwFlags & mask) != 0; }
};

// Pre-order walk of self's subtree. The step bounded by self climbs only over ancestors whose
// subtrees the walk has finished, so a match near the start costs nothing for the depth below it.
template <class Match> CElement* FindInSubtree(CElement* self, BOOL includeSelf, CElement* stop, Match match)
{
    CTreeNode* n;
    if (includeSelf) {
        n = self;
    } else {
        if (self->IsLeaf())
            return nullptr;
        n = self->GetFirstChild();
    }
    while (n && n != stop) {
        if (match(El(n)))
            return El(n);
        n = n->GetDFSNext(self);
    }
    return nullptr;
}

// Walk from self (includeSelf) or its first step, following step, until stop or the end.
template <class Step, class Match>
CElement* FindAlong(CElement* self, BOOL includeSelf, CElement* stop, Step step, Match match)
{
    CTreeNode* n = includeSelf ? self : step(self);
    while (n && n != stop) {
        if (match(El(n)))
            return El(n);
        n = step(n);
    }
    return nullptr;
}

CTreeNode* DfsNext(const CTreeNode* n)
{
    return n->GetDFSNext();
}
CTreeNode* DfsPrev(const CTreeNode* n)
{
    return n->GetDFSPrev();
}
CTreeNode* NextSibling(const CTreeNode* n)
{
    return n->GetNextSibling();
}
CTreeNode* PrevSibling(const CTreeNode* n)
{
    return n->GetPrevSibling();
}
CTreeNode* Parent(const CTreeNode* n)
{
    return n->GetParent();
}

} // namespace

CElement::CElement(CHtmlX* doc) : m_pDoc(doc), m_nKind(-1), m_dwFlags(0) {}

CElement::~CElement() = default;

CElement* CElement::FindDescendantByFlags(DWORD mask, BOOL includeSelf, CElement* stop)
{
    return FindInSubtree(this, includeSelf, stop, ByFlags{mask});
}

CElement* CElement::FindDescendantByKind(int kind, BOOL includeSelf, CElement* stop)
{
    return FindInSubtree(this, includeSelf, stop, ByKind{kind});
}

CElement* CElement::FindNextByKind(int kind, BOOL includeSelf, CElement* stop)
{
    return FindAlong(this, includeSelf, stop, DfsNext, ByKind{kind});
}

CElement* CElement::FindNextByFlags(DWORD mask, BOOL includeSelf, CElement* stop)
{
    return FindAlong(this, includeSelf, stop, DfsNext, ByFlags{mask});
}

CElement* CElement::FindPrevByKind(int kind, BOOL includeSelf, CElement* stop)
{
    return FindAlong(this, includeSelf, stop, DfsPrev, ByKind{kind});
}

CElement* CElement::FindPrevByFlags(DWORD mask, BOOL includeSelf, CElement* stop)
{
    return FindAlong(this, includeSelf, stop, DfsPrev, ByFlags{mask});
}

CElement* CElement::FindNextSiblingByKind(int kind, BOOL includeSelf, CElement* stop)
{
    return FindAlong(this, includeSelf, stop, NextSibling, ByKind{kind});
}

CElement* CElement::FindNextSiblingByFlags(DWORD mask, BOOL includeSelf, CElement* stop)
{
    return FindAlong(this, includeSelf, stop, NextSibling, ByFlags{mask});
}

CElement* CElement::FindPrevSiblingByKind(int kind, BOOL includeSelf, CElement* stop)
{
    return FindAlong(this, includeSelf, stop, PrevSibling, ByKind{kind});
}

CElement* CElement::FindPrevSiblingByFlags(DWORD mask, BOOL includeSelf, CElement* stop)
{
    return FindAlong(this, includeSelf, stop, PrevSibling, ByFlags{mask});
}

CElement* CElement::FindAncestorByFlags(DWORD mask, BOOL includeSelf, CElement* stop)
{
    return FindAlong(this, includeSelf, stop, Parent, ByFlags{mask});
}

CElement* CElement::FindAncestorByKind(int kind, BOOL includeSelf, CElement* stop)
{
    return FindAlong(this, includeSelf, stop, Parent, ByKind{kind});
}

CVisible* CElement::GetNextVisible(BOOL includeSelf, CElement* stop)
{
    return static_cast<CVisible*>(FindNextByFlags(EF_VISIBLE, includeSelf, stop));
}

CVisible* CElement::GetPrevVisible(BOOL includeSelf, CElement* stop)
{
    return static_cast<CVisible*>(FindPrevByFlags(EF_VISIBLE, includeSelf, stop));
}

CElement* CElement::GetNextInline(BOOL includeSelf, CElement* stop)
{
    return FindNextByFlags(EF_INLINE, includeSelf, stop);
}

CElement* CElement::GetPrevInline(BOOL includeSelf, CElement* stop)
{
    return FindPrevByFlags(EF_INLINE, includeSelf, stop);
}

CVisible* CElement::GetLastVisible()
{
    return El(CMeasurePass::Current().LastLeaf(this))->GetPrevVisible(TRUE, nullptr);
}

void CElement::GetExtent(CSize* size)
{
    if (!size)
        return;
    *size = CSize(0, 0);
    if (IsLeaf())
        return;
    CVisible* v = static_cast<CVisible*>(FindDescendantByFlags(EF_VISIBLE, FALSE, nullptr));
    if (!v)
        return;
    // The walk stays inside the subtree by stopping at the first visible element after it.
    CVisible* after = CMeasurePass::Current().NextVisibleAfter(this);
    int minLeft = 32767, minTop = 32767, maxRight = 0, maxBottom = 0;
    while (v) {
        int left = v->m_nX - v->GetIndent();
        int right = v->m_nKind == TAG_HR ? left : left + v->m_nWidth; // a rule takes the whole line anyway
        int top = v->m_nY;
        int bottom = top + v->m_nHeight;
        minLeft = KorMin(minLeft, left);
        minTop = KorMin(minTop, top);
        maxRight = KorMax(maxRight, right);
        maxBottom = KorMax(maxBottom, bottom);
        if (v->m_nKind == TAG_TABLE) {
            // A table's own box covers its cells and their contents.
            CVisible* last = v->GetLastVisible();
            if (last)
                v = last;
        }
        v = v->GetNextVisible(FALSE, after);
    }
    *size = CSize(KorMax(maxRight - minLeft, 0), KorMax(maxBottom - minTop, 0));
}

void CElement::ApplyFont(LOGFONT* lf, COLORREF* color)
{
    if (lf) {
        std::memset(lf, 0, sizeof(LOGFONT));
        lf->lfHeight = -16;
        lf->lfWeight = FW_NORMAL;
        lf->lfCharSet = ANSI_CHARSET;
        lf->lfOutPrecision = OUT_STROKE_PRECIS;
        lf->lfClipPrecision = CLIP_STROKE_PRECIS;
        lf->lfQuality = DRAFT_QUALITY;
        lf->lfPitchAndFamily = KorGetPitchAndFamily("Times New Roman");
        std::strcpy(lf->lfFaceName, "Times New Roman");
    }
    if (color)
        *color = 0;
}

int CElement::GetAlign()
{
    return 0;
}

void CElement::GetVisibleRange(CVisible** first, CVisible** after)
{
    // The next visible element in document order is the first one inside, unless it is already
    // the first one after the subtree.
    CVisible* next = CMeasurePass::Current().NextVisibleAfter(this);
    if (first) {
        CVisible* inside = CMeasurePass::Current().NextVisible(this);
        *first = inside == next ? nullptr : inside;
    }
    if (after)
        *after = next;
}
