// CAlignQueue: vertical alignment on a common bottom, horizontal alignment and justification of a line.
#include "elements/AlignQueue.h"
#include "korhtml/Element.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/ImageElement.h"
#include "korhtml/AttrValues.h"
#include "korlib/korlib.h"

IMPLEMENT_DYNCREATE(CAlignQueue, CObList)

namespace {

enum class Mode
{
    Bottom,
    Top,
    Middle
};

inline CVisible* Vis(CObject* o)
{
    return static_cast<CVisible*>(o);
}

} // namespace

int CAlignQueue::VerticalAlign()
{
    int lineHeight = 0;
    for (POSITION pos = GetHeadPosition(); pos;)
        lineHeight = KorMax(lineHeight, Vis(GetNext(pos))->m_nHeight);

    // An image aligned to the top or the middle steers the elements after it; the image itself
    // moves by the mode in force before it.
    Mode mode = Mode::Bottom;
    int ref = lineHeight;
    for (POSITION pos = GetHeadPosition(); pos;) {
        CVisible* e = Vis(GetNext(pos));
        int dy = 0;
        switch (mode) {
        case Mode::Bottom:
            dy = lineHeight - e->m_nHeight;
            break;
        case Mode::Top:
            dy = lineHeight - ref;
            break;
        case Mode::Middle:
            dy = lineHeight - (e->m_nHeight + ref) / 2;
            break;
        }
        if (e->m_nKind == TAG_IMG) {
            switch (static_cast<FImage*>(e)->m_nImageAlign) {
            case ALIGN_TOP:
                mode = Mode::Top;
                ref = e->m_nHeight;
                break;
            case ALIGN_MIDDLE:
            case ALIGN_CENTER:
                mode = Mode::Middle;
                ref = e->m_nHeight;
                break;
            case ALIGN_BOTTOM:
                mode = Mode::Bottom;
                break;
            default:
                break;
            }
        }
        e->m_nY += dy;
    }
    return lineHeight;
}

void CAlignQueue::HorizontalAlign(BOOL justify)
{
    if (IsEmpty())
        return;
    CVisible* first = Vis(GetHead());
    int lineWidth = first->m_nLineWidth;
    int total = 0;
    bool allText = true;
    for (POSITION pos = GetHeadPosition(); pos;) {
        CVisible* e = Vis(GetNext(pos));
        total += e->m_nWidth;
        if (e->m_nKind != KIND_TEXT)
            allText = false;
    }
    int margin = GetHorMargin();

    int dx;
    if (first->m_nAlign == ALIGN_RIGHT || first->m_nAlign == ALIGN_CENTER) {
        int room = lineWidth - total;
        int x = (first->m_nAlign == ALIGN_RIGHT ? room : room / 2) + first->m_nX;
        // A line wider than its room is never pushed left of the margin.
        dx = x < margin ? 0 : x - first->m_nX;
    } else {
        dx = first->GetIndent();
    }

    if (!justify || dx != 0 || !allText) {
        for (POSITION pos = GetHeadPosition(); pos;)
            Vis(GetNext(pos))->m_nX += dx;
        return;
    }

    int n = GetCount();
    if (n < 2)
        return;
    int room = lineWidth - total;
    if (room < 0)
        return; // over-full: a gap truncated to 0 would otherwise pull the words left
    int gap = int(double(room) / double(n - 1));
    int rest = room - (n - 1) * gap;
    // The first `rest` gaps take one pixel more, so the line ends exactly at its right edge.
    int k = 0;
    for (POSITION pos = GetHeadPosition(); pos; ++k) {
        CVisible* e = Vis(GetNext(pos));
        e->m_nX += k * gap + KorMin(k, rest);
    }
}
