// Hand-made element content for document tests: boxes of fixed size that note measuring and drawing.
#pragma once

#include "korhtml/Element.h"
#include "korhtml/HtmlX.h"

#include <vector>

// A visible box of a fixed size; inline like a word (kind 74) unless another kind is given. It
// appends itself to the logs it is given when it is measured or drawn.
class Box : public CVisible
{
public:
    Box(CHtmlX* doc, int width, int height, int kind = 74) : CVisible(doc)
    {
        m_nKind = kind;
        m_dwFlags |= EF_INLINE;
        m_nWidth = width;
        m_nHeight = height;
    }
    void Measure(CDC* dc) override
    {
        CVisible::Measure(dc);
        if (measured)
            measured->push_back(this);
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

    std::vector<CVisible*>* measured = nullptr;
    std::vector<CVisible*>* drawn = nullptr;
};

// A structure element of any kind and flags.
class Node : public CElement
{
public:
    Node(CHtmlX* doc, int kind, DWORD flags = 0) : CElement(doc)
    {
        m_nKind = kind;
        m_dwFlags = flags;
    }
};

template <class T> T* AddTo(CElement* parent, T* child)
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
