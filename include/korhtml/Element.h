// Element base classes: CElement (kind, flags, tree searches) and CVisible (position, size, inline layout).
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"
#include "kortag/kortag.h"

#include <cstdint>

class CHtmlX;
class CDC;
class CFont;
class CWnd;
class CVisible;
class CAttrReader;

// Tag index of the tag database, and the kind of the element built for it (m_nKind). The indices
// follow the alphabetical order of the tag names. PLAINTEXT has no element of its own; the kind of
// a text run is that of WBR, whose element is an empty text run.
enum
{
    TAG_A = 0,
    TAG_ADDRESS,
    TAG_APPLET,
    TAG_AREA,
    TAG_B,
    TAG_BASE,
    TAG_BIG,
    TAG_BLINK,
    TAG_BLOCKQUOTE,
    TAG_BODY,
    TAG_BR = 10,
    TAG_CAPTION,
    TAG_CENTER,
    TAG_CITE,
    TAG_CODE,
    TAG_COMMENT,
    TAG_DD,
    TAG_DFN,
    TAG_DIR,
    TAG_DIV,
    TAG_DL = 20,
    TAG_DT,
    TAG_EM,
    TAG_FONT,
    TAG_FORM,
    TAG_FRAME,
    TAG_FRAMESET,
    TAG_H1,
    TAG_H2,
    TAG_H3,
    TAG_H4 = 30,
    TAG_H5,
    TAG_H6,
    TAG_HEAD,
    TAG_HR,
    TAG_HTML,
    TAG_I,
    TAG_IMG,
    TAG_INPUT,
    TAG_ISINDEX,
    TAG_KBD = 40,
    TAG_LI,
    TAG_LINK,
    TAG_LISTING,
    TAG_MAP,
    TAG_MENU,
    TAG_META,
    TAG_NOFRAMES,
    TAG_OL,
    TAG_OPTION,
    TAG_P = 50,
    TAG_PARAM,
    TAG_PLAINTEXT,
    TAG_PRE,
    TAG_SAMP,
    TAG_SCRIPT,
    TAG_SELECT,
    TAG_SMALL,
    TAG_STRIKE,
    TAG_STRONG,
    TAG_STYLE = 60,
    TAG_SUB,
    TAG_SUP,
    TAG_TABLE,
    TAG_TD,
    TAG_TEXTAREA,
    TAG_TFOOT,
    TAG_TH,
    TAG_TITLE,
    TAG_TR,
    TAG_TT = 70,
    TAG_U,
    TAG_UL,
    TAG_VAR,
    TAG_WBR,
    TAG_XMP,
    TAG_LAST = TAG_XMP,
    KIND_TEXT = TAG_WBR,
    KIND_SPANCELL = 1000, // a grid slot covered by a spanning table cell, never in the tree
};

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

// Where an element lies against a band of the page (GetBandRelation); the edges overlap.
constexpr int BAND_ABOVE = 1;
constexpr int BAND_BELOW = 2;
constexpr int BAND_INSIDE = 3;

// Kind of link under a point (GetAnchorType).
constexpr int ANCHOR_NONE = 0;  // no anchor
constexpr int ANCHOR_NAME = 1;  // an anchor that only names a target
constexpr int ANCHOR_LOCAL = 2; // a link that begins with "#"
constexpr int ANCHOR_LINK = 3;  // any other link, or an area of a client-side map
constexpr int ANCHOR_ISMAP = 4; // a server-side image map
constexpr int ANCHOR_BARE = 5;  // an anchor with neither link nor name

// Indentation of a line start, in pixels per step: a list item adds one step, each list two.
constexpr int INDENT_STEP = 10;

// Base of every node of a document's element tree. The searches never recurse: they walk the
// tree links of CTreeNode, so documents of any depth can be searched.
class KORHTML_API CElement : public CTreeNode
{
public:
    explicit CElement(CHtmlX* doc);
    // What every element class passes up: its document, its tag index and its trait flags.
    CElement(CHtmlX* doc, int kind, DWORD flags) : CElement(doc)
    {
        m_nKind = kind;
        m_dwFlags = flags;
    }
    ~CElement() override;

    // Fills the attribute fields right after construction. Not virtual: the transformer calls it
    // on the exact class it built; classes with attributes hide this empty one with their own.
    void ReadAttributes(const CAttrReader& /*a*/) {}

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
    // Kinds and flags fit in 16 bits; with the document pointer they fill the 16 bytes after the
    // tree links, which keeps the word element small.
    CHtmlX* m_pDoc;
    std::int16_t m_nKind;
    std::uint16_t m_dwFlags;
};

// Base of every element that occupies space on the page and draws itself.
class KORHTML_API CVisible : public CElement
{
public:
    explicit CVisible(CHtmlX* doc);
    // As for CElement; the flags are added to EF_VISIBLE.
    CVisible(CHtmlX* doc, int kind, DWORD flags) : CVisible(doc)
    {
        m_nKind = kind;
        m_dwFlags |= flags;
    }
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
    // The side an element floats to beside the lines (ALIGN_LEFT or ALIGN_RIGHT); 0 for one that
    // takes its place in a line.
    virtual int GetFloatAlign();

    // 1 above the band, 2 below it, 3 overlapping (edges count as overlapping).
    int GetBandRelation(int top, int bottom) const;

    CPoint GetNextPos()
    {
        CPoint pt;
        GetNextPos(&pt);
        return pt;
    }

protected:
    // For a float (an image or a table) about to take its place: closes the open line of the
    // alignment queue, if any, and returns y moved below it by the line's height and the gap that
    // this element's break bits ask for; y itself when the queue is empty.
    int CloseLineForFloat(int y);
    // Narrows the lines that will lie beside this float, whose box spans top to bottom: from start
    // on, each element whose predicted line lies within that span gets the line left and width of
    // left to right; the element before the first one below the float returns to this float's
    // line left (m_nBreakX). side is ALIGN_LEFT or ALIGN_RIGHT; a float to the other side ends it.
    void FlowLinesAround(CVisible* start, int left, int top, int right, int bottom, int side);

public:
    // Codes of a few values are bytes and sit in the padding after the CElement part.
    std::int8_t m_nAlign;
    std::int8_t m_nBreak;
    std::int8_t m_bInListItem;
    int m_nListLevel;
    int m_nWidth;
    int m_nHeight;
    int m_nX;
    int m_nY;
    int m_nLineWidth;
    int m_nLineLeft;
    int m_nBreakX;
    RECT m_rcDrawn;
};
