// Hand-made element trees: structure elements of any kind and visible boxes of a fixed size.
#pragma once

#include "korhtml/Element.h"
#include "korhtml/HtmlX.h"

#include <vector>

// A structure element of a kind, flags and alignment (what GetAlign answers).
class Node : public CElement
{
public:
    explicit Node(int kind, DWORD flags = 0, int align = 0, CHtmlX* doc = nullptr)
        : CElement(doc), m_nAlignCode(align)
    {
        m_nKind = kind;
        m_dwFlags = flags;
    }
    int GetAlign() override { return m_nAlignCode; }

    int m_nAlignCode;
};

// A visible box of a fixed size: a word (inline) unless another kind and flags are given. It appends
// itself to the log it is given when it is drawn, and draws nothing.
class Box : public CVisible
{
public:
    Box(int width, int height, int kind = KIND_TEXT, DWORD flags = EF_INLINE, CHtmlX* doc = nullptr)
        : CVisible(doc)
    {
        m_nKind = kind;
        m_dwFlags |= flags;
        m_nWidth = width;
        m_nHeight = height;
    }
    void Draw(CDC*) override
    {
        if (drawn)
            drawn->push_back(this);
    }
    // Puts the box at (x, y) with its size unchanged.
    Box* At(int x, int y)
    {
        m_nX = x;
        m_nY = y;
        return this;
    }
    // Puts the box at (x, y) whenever a layout places it, whatever comes before it.
    Box* Pin(int x, int y)
    {
        m_bPinned = true;
        m_ptPin = CPoint(x, y);
        return At(x, y);
    }
    void Place(int x, int y) override
    {
        if (m_bPinned)
            At(m_ptPin.x, m_ptPin.y);
        else
            CVisible::Place(x, y);
    }

    std::vector<CVisible*>* drawn = nullptr;

private:
    bool m_bPinned = false;
    CPoint m_ptPin;
};

template <class T> T* Add(CElement* parent, T* child)
{
    parent->AddLastChild(child);
    return child;
}

// Empties the document's body so that a test can fill it by hand (then SetStaticData and Layout);
// the document's references into the old content are dropped with it.
inline CElement* EmptyBody(CHtmlX* doc)
{
    doc->m_pTopVisible = doc->m_pBottomVisible = nullptr;
    doc->m_pActiveLink = nullptr;
    doc->m_listAnimate.RemoveAll();
    doc->m_listAnimateVisible.RemoveAll();
    CElement* body = doc->GetBody();
    body->DeleteChildren();
    return body;
}
