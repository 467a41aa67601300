// Hand-built element trees for the element tests: structure elements, sized boxes, a layout driver.
#pragma once

#include "korhtml/Element.h"
#include "korhtml/HtmlSrvr.h"
#include "elements/AlignQueue.h"

#include <gtest/gtest.h>

// A structure element with a fixed kind, flags and alignment.
class TElem : public CElement
{
public:
    TElem(int kind, DWORD flags = 0, int align = 0) : CElement(nullptr), m_nAlignCode(align)
    {
        m_nKind = kind;
        m_dwFlags = flags;
    }
    int GetAlign() override { return m_nAlignCode; }

    int m_nAlignCode;
};

// A visible box of a fixed size; kind 74 (a word) and inline by default.
class TBox : public CVisible
{
public:
    TBox(int width, int height, int kind = 74, DWORD flags = EF_INLINE) : CVisible(nullptr)
    {
        m_nKind = kind;
        m_dwFlags |= flags;
        m_nWidth = width;
        m_nHeight = height;
    }
};

template <class T> T* Add(CElement* parent, T* child)
{
    parent->AddLastChild(child);
    return child;
}

// Each test gets a fresh server with the default settings.
class ServerTest : public ::testing::Test
{
protected:
    void SetUp() override { CreateHtmlServer(); }
    void TearDown() override { DestroyHtmlServer(); }
};

// The document's layout pass over one subtree: line widths, the Place/GetNextPos loop from the
// margins, and the closing of the last line.
inline void LayOut(CElement* root, int viewWidth)
{
    int hm = GetHorMargin();
    for (CVisible* e = root->GetNextVisible(FALSE, nullptr); e && e->IsDescendantOf(root);
         e = e->GetNextElement())
        e->SetLineWidth(viewWidth - 2 * hm);
    CAlignQueue* queue = GetAlignQueue();
    queue->RemoveAll();
    CPoint p(hm, GetVerMargin());
    for (CVisible* e = root->GetNextVisible(FALSE, nullptr); e && e->IsDescendantOf(root);
         e = e->GetNextElement()) {
        e->Place(p.x, p.y);
        e->GetNextPos(&p);
    }
    queue->VerticalAlign();
    queue->HorizontalAlign(EvenAlign());
    queue->RemoveAll();
}

// Measures every visible element of the subtree in document order (no device context needed).
inline void MeasureAll(CElement* root)
{
    for (CVisible* e = root->GetNextVisible(FALSE, nullptr); e && e->IsDescendantOf(root);
         e = e->GetNextVisible(FALSE, nullptr))
        e->Measure(nullptr);
}
