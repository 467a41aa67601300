// Element base classes: CElement (kind, flags, tree searches) and CVisible (position, size, inline layout).
#pragma once

#include "platform/afx/afx.h"
#include "kortag/kortag.h"

class CHtmlX;
class CDC;
class CFont;
class CWnd;
class CVisible;

// Trait flags of an element (m_dwFlags), fixed by each class in its constructor.
constexpr DWORD EF_VISIBLE = 0x001;   // a CVisible: measured, placed and drawn
constexpr DWORD EF_FONT = 0x002;      // changes the font of the text inside it (ApplyFont)
constexpr DWORD EF_LINEBREAK = 0x004; // its first visible content and the element after it start a line
constexpr DWORD EF_PARAGRAPH = 0x008; // ... start a paragraph
constexpr DWORD EF_INLINE = 0x010;    // an item of a line
constexpr DWORD EF_LIST = 0x020;      // a list container: indents its content
constexpr DWORD EF_ALIGN = 0x040;     // imposes a horizontal alignment on its content (GetAlign)
constexpr DWORD EF_CONTEXT = 0x080;   // a layout context root: alignment and list searches stop here
constexpr DWORD EF_CONTROL = 0x100;   // a form control shown as a child window

// Break bits of a visible element (m_nBreak).
constexpr int BRK_WRAP = 1; // starts a line because the previous line was full
constexpr int BRK_LINE = 2; // must start a new line
constexpr int BRK_PARA = 4; // must start a new paragraph

// Base of every node of a document's element tree. The searches never recurse: they walk the
// tree links of CTreeNode, so documents of any depth can be searched.
class CElement : public CTreeNode
{
public:
    explicit CElement(CHtmlX* doc);
    ~CElement() override;

    // Searches by flags (any bit of mask) or by kind; each ends with null at stop (not examined).
    virtual CElement* FindDescendantByFlags(DWORD mask, BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* FindDescendantByKind(int kind, BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* FindNextByKind(int kind, BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* FindNextByFlags(DWORD mask, BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* FindPrevByKind(int kind, BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* FindPrevByFlags(DWORD mask, BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* FindNextSiblingByKind(int kind, BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* FindNextSiblingByFlags(DWORD mask, BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* FindPrevSiblingByKind(int kind, BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* FindPrevSiblingByFlags(DWORD mask, BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* FindAncestorByFlags(DWORD mask, BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* FindAncestorByKind(int kind, BOOL includeSelf = FALSE, CElement* stop = nullptr);

    // Visible elements in document order (an element with EF_VISIBLE is always a CVisible).
    virtual CVisible* GetNextVisible(BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CVisible* GetPrevVisible(BOOL includeSelf = FALSE, CElement* stop = nullptr);
    // Line items in document order; an option is an inline CElement, so the result is not always visible.
    virtual CElement* GetNextInline(BOOL includeSelf = FALSE, CElement* stop = nullptr);
    virtual CElement* GetPrevInline(BOOL includeSelf = FALSE, CElement* stop = nullptr);
    // The last visible element of the subtree, or the nearest one before it.
    virtual CVisible* GetLastVisible();
    // Bounding size of the visible elements of the subtree, indentation included.
    virtual void GetExtent(CSize* size);

    // Font description and colour of the text inside this element (elements with EF_FONT).
    virtual void ApplyFont(LOGFONT* lf, COLORREF* color);
    // Alignment imposed on the content (elements with EF_ALIGN); 0 lets an outer element decide.
    virtual int GetAlign();
    // First visible element inside, and first visible element after the subtree.
    virtual void GetVisibleRange(CVisible** first, CVisible** after);

    CSize GetExtent()
    {
        CSize size;
        GetExtent(&size);
        return size;
    }
    BOOL HasFlags(DWORD mask) const { return (m_dwFlags & mask) != 0; }

    CElement* GetParentElement() const { return static_cast<CElement*>(GetParent()); }

public:
    CHtmlX* m_pDoc;
    int m_nKind;
    DWORD m_dwFlags;
};

// Base of every element that occupies space on the page and draws itself.
class CVisible : public CElement
{
public:
    explicit CVisible(CHtmlX* doc);
    ~CVisible() override;

    virtual void Draw(CDC* dc);
    // Kind of link under the point: 0 none, 1 named target, 2 "#" link, 3 other link, 5 bare anchor.
    virtual int GetAnchorType(CPoint pt);
    virtual void Measure(CDC* dc);
    virtual void ComputeBreaks();
    virtual void InheritAlign();
    virtual void ComputeListLevel();
    virtual int GetIndent();
    virtual CPoint* GetNextPos(CPoint* pt);
    virtual CVisible* GetNextElement();
    virtual void Place(int x, int y);
    virtual void SetLineWidth(int w);
    virtual void SetLineLeft(int x);
    virtual CVisible* GetLineStart(DWORD breakMask);
    virtual CVisible* GetLineEnd(DWORD breakMask);
    virtual CVisible* GetPrevLineStart(DWORD breakMask);
    virtual CVisible* GetPrevLineEnd(DWORD breakMask);
    virtual CVisible* GetNextLineStart(DWORD breakMask);
    virtual CVisible* GetNextLineEnd(DWORD breakMask);
    // Invalidates where the element is now and where it was last drawn, in the view's device units.
    virtual void Invalidate(CWnd* view, BOOL onlyIfMoved);
    virtual CString GetLink(CPoint* pt);

    // 1 above the band, 2 below it, 3 overlapping (edges count as overlapping).
    int GetBandRelation(int top, int bottom) const;

    CPoint GetNextPos()
    {
        CPoint pt;
        GetNextPos(&pt);
        return pt;
    }

public:
    int m_nAlign;
    int m_nBreak;
    int m_nListLevel;
    int m_bInListItem;
    int m_nWidth;
    int m_nHeight;
    int m_nX;
    int m_nY;
    int m_nLineWidth;
    int m_nLineLeft;
    int m_nBreakX;
    RECT m_rcDrawn;
};
