// The band index: runs of the band walks' sequences with their extreme positions, and the search over them.
#include "document/BandIndex.h"

#include "elements/MeasurePass.h"
#include "korhtml/Element.h"
#include "kortag/kortag.h"

#include <algorithm>
#include <climits>

void CBandIndex::Invalidate()
{
    m_down.bBuilt = false;
    m_up.bBuilt = false;
    m_down.runs.clear();
    m_up.runs.clear();
    m_down.runs.shrink_to_fit();
    m_up.runs.shrink_to_fit();
}

CVisible* CBandIndex::First(CElement* body, bool down)
{
    return down ? body->GetNextVisible(FALSE, nullptr) : body->GetLastVisible();
}

CVisible* CBandIndex::Step(CVisible* e, bool down)
{
    return down ? e->GetNextVisible(FALSE, nullptr) : e->GetPrevVisible(FALSE, nullptr);
}

void CBandIndex::Prepare(CElement* body)
{
    if (body != m_pBody || CTreeNode::GetEditCount() != m_nEdits) {
        Invalidate();
        m_pBody = body;
        m_nEdits = CTreeNode::GetEditCount();
    }
}

void CBandIndex::Build(Order& order, CElement* body, Order* backwards)
{
    order.runs.clear();
    // A body with a parent would let the walk down go on past its subtree, where the walk up from
    // its last element never goes.
    bool mirror = backwards && !body->GetParent();
    int n = 0;
    for (CVisible* e = First(body, order.bDown); e; e = Step(e, order.bDown), ++n) {
        if (n % kRun == 0)
            order.runs.push_back({e, e, INT_MAX, INT_MIN, 0, 0, 0, 0});
        Run& run = order.runs.back();
        run.pLast = e;
        // As GetBandRelation reckons them; positions and extents are clipped, so the sum fits.
        run.nMinTop = std::min(run.nMinTop, e->m_nY);
        run.nMaxBottom = std::max(run.nMaxBottom, e->m_nY + e->m_nHeight);
        if (PassesOverContents(e))
            mirror = false;
    }
    Finish(order);
    if (!mirror)
        return;
    // A run taken backwards from its last element: the last run may be short, and a search that
    // steps past its start only goes on in the same walk's order.
    backwards->runs.assign(order.runs.rbegin(), order.runs.rend());
    for (Run& run : backwards->runs)
        std::swap(run.pFirst, run.pLast);
    Finish(*backwards);
}

void CBandIndex::Finish(Order& order)
{
    int minTop = INT_MAX, maxBottom = INT_MIN;
    for (Run& run : order.runs) {
        run.nPrefixMinTop = minTop = std::min(minTop, run.nMinTop);
        run.nPrefixMaxBottom = maxBottom = std::max(maxBottom, run.nMaxBottom);
    }
    minTop = INT_MAX;
    maxBottom = INT_MIN;
    for (auto it = order.runs.rbegin(); it != order.runs.rend(); ++it) {
        it->nSuffixMinTop = minTop = std::min(minTop, it->nMinTop);
        it->nSuffixMaxBottom = maxBottom = std::max(maxBottom, it->nMaxBottom);
    }
    order.runs.shrink_to_fit();
    order.bBuilt = true;
}

CVisible* CBandIndex::Search(const Order& order, int top, int bottom)
{
    const auto& runs = order.runs;
    // Every run before the first whose prefix reaches the band from above lies wholly above it,
    // every run before the first whose prefix reaches it from below wholly below: both are skipped.
    auto fromAbove = std::partition_point(runs.begin(), runs.end(),
                                          [top](const Run& r) { return r.nPrefixMaxBottom < top; });
    auto fromBelow = std::partition_point(runs.begin(), runs.end(),
                                          [bottom](const Run& r) { return r.nPrefixMinTop > bottom; });
    for (auto it = std::max(fromAbove, fromBelow); it != runs.end(); ++it) {
        // Nothing from here on reaches the band.
        if (it->nSuffixMaxBottom < top || it->nSuffixMinTop > bottom)
            break;
        if (it->nMaxBottom < top || it->nMinTop > bottom)
            continue;
        CVisible* e = it->pFirst;
        for (int i = 0; e && i < kRun; ++i, e = Step(e, order.bDown))
            if (e->GetBandRelation(top, bottom) == BAND_INSIDE)
                return e;
    }
    return nullptr;
}

CVisible* CBandIndex::FindTop(CElement* body, int top, int bottom)
{
    Prepare(body);
    if (!m_down.bBuilt)
        Build(m_down, body, m_up.bBuilt ? nullptr : &m_up);
    return Search(m_down, top, bottom);
}

CVisible* CBandIndex::FindBottom(CElement* body, int top, int bottom)
{
    Prepare(body);
    if (!m_up.bBuilt && !m_down.bBuilt)
        Build(m_down, body, &m_up);
    if (!m_up.bBuilt)
        Build(m_up, body, nullptr);
    return Search(m_up, top, bottom);
}
