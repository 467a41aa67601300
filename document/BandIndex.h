// CBandIndex: the first and last visible elements of a band of the page, found by position.
#pragma once

#include <vector>

class CElement;
class CVisible;

// The band searches look for the first element, in the order of a walk over the visible elements,
// that lies in a band (GetBandRelation gives BAND_INSIDE): FindTop walks down from the body's first
// visible element, FindBottom up from its last. A plain walk costs the whole page before the band,
// so scrolling near the end of a long page would cost far more than near its start.
//
// The index cuts each walk's sequence into runs of a few elements and keeps, per run, its first
// element and the highest top and lowest bottom of its elements, with those extremes carried
// forward and backward over the runs. Runs wholly above or wholly below the band are then skipped:
// a binary search finds the first run not preceded only by such runs, and the search tests the
// elements of the runs from there, one by one, with the walk's own steps and test. The answer is
// therefore the walk's even where elements are out of order - a float or a table cell taller than
// its line, a table's box over its cells, the contents of a form control the downward walk passes
// over. The index holds positions and links as they were when it was built: Invalidate after every
// measuring or layout pass; a change of the tree's links is noticed by its edit count.
//
// Where the walk up is the walk down backwards - a body that is a tree's root and holds no control
// whose contents the walk down passes over - one walk gives both sequences: the runs of the one,
// taken backwards from their last elements, are runs of the other. A large page is then walked
// once per layout instead of twice.
class CBandIndex
{
public:
    // Forgets both sequences; each is built again when first searched.
    void Invalidate();
    // The first element of the walk down from body's first visible element inside [top, bottom].
    CVisible* FindTop(CElement* body, int top, int bottom);
    // The first element of the walk up from body's last visible element inside [top, bottom].
    CVisible* FindBottom(CElement* body, int top, int bottom);

private:
    static constexpr int kRun = 32; // elements per run

    struct Run
    {
        CVisible* pFirst;
        CVisible* pLast;
        int nMinTop, nMaxBottom;             // over the run's elements
        int nPrefixMinTop, nPrefixMaxBottom; // over this run and all before it
        int nSuffixMinTop, nSuffixMaxBottom; // over this run and all after it
    };
    // One walk's sequence, cut into runs; the steps are the walk's.
    struct Order
    {
        bool bBuilt = false;
        bool bDown = true;
        std::vector<Run> runs;
    };

    static CVisible* First(CElement* body, bool down);
    static CVisible* Step(CVisible* e, bool down);
    void Prepare(CElement* body);
    // Walks order's sequence into runs; when backwards is given and the sequence allows it, makes
    // the runs of the opposite walk as well.
    static void Build(Order& order, CElement* body, Order* backwards);
    // The extremes carried over the runs; the order is then ready for searches.
    static void Finish(Order& order);
    static CVisible* Search(const Order& order, int top, int bottom);

    Order m_down;
    Order m_up{false, false, {}};
    CElement* m_pBody = nullptr;
    unsigned long long m_nEdits = 0; // the tree's edit count when the sequences were built
};
