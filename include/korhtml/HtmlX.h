// CHtmlX: one HTML document: its source, element trees, managers, layout, visible band and drawing.
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"
#include "maps/MapManager.h"

class CWnd;
class CDC;
class CElement;
class CVisible;
class FAnchor;
class FBody;
class CBandIndex;
class CImageManager;

// State bits of a document (m_nState).
constexpr UINT STATE_STATICDATA = 1;  // the measure pass ran over a body with visible content
constexpr UINT STATE_DYNAMICDATA = 2; // the body is laid out for the current viewport
constexpr UINT STATE_ANIMATING = 4;   // the animation timer runs on the view

// Window timer of the view that drives animated images while one is in view.
#ifndef ID_TIMER_ANIMATE
#define ID_TIMER_ANIMATE 5
#endif

class KORHTML_API CHtmlX : public CObject
{
    DECLARE_DYNCREATE(CHtmlX)

public:
    // view: the window the document draws into and whose size it reads; may be null (no drawing).
    explicit CHtmlX(CWnd* view);
    ~CHtmlX() override;

    // ---- Contents --------------------------------------------------------------------------------
    // The empty state with fresh managers; the previous ones must have been freed (DeleteContents).
    void InitContents();
    // Frees the trees (body, head, root), then the image manager and the map manager.
    void DeleteContents();
    void Close();
    void ResetContents() { Close(); }

    // ---- Opening (nonzero on success) ------------------------------------------------------------
    int OpenLocal(const CString& path);
    int OpenString(CString source, CString componentPath);
    int OpenText(const CString& path);
    void OpenError();
    int Reload();
    int Parse();
    // The first of component path + name, component path + file name, name that exists; else the
    // file name alone.
    CString FindLocalPath(const CString& name);

    // ---- Accessors -------------------------------------------------------------------------------
    CString GetSource() const { return m_strSource; }
    CString GetLocalPath() const { return m_strLocalPath; }
    CString GetTitle() const { return m_strTitle; }
    CString GetComponentPath() const { return m_strComponentPath; }
    void SetComponentPath(CString path) { m_strComponentPath = path; }
    CSize GetContentSize() const { return m_sizeContent; }
    CSize GetViewportSize() const { return m_sizeViewport; }
    void SetViewportSize(int cx, int cy) { m_sizeViewport = CSize(cx, cy); }
    void SetViewportSize(CSize size) { m_sizeViewport = size; }
    CPoint GetViewportOrg() const { return m_ptViewportOrg; }
    void SetViewportOrg(int x, int y) { m_ptViewportOrg = CPoint(x, y); }
    void SetViewportOrg(CPoint pt) { m_ptViewportOrg = pt; }
    CVisible* GetTopVisible() const { return m_pTopVisible; }
    CVisible* GetBottomVisible() const { return m_pBottomVisible; }
    int IsEmpty() const { return m_pBody == nullptr; }
    CElement* GetBody() const { return m_pBody; }
    CElement* GetHead() const { return m_pHead; }
    CImageManager* GetImageManager() const { return m_pImageManager; }
    CMapManager* GetMapManager() const { return m_pMapManager; }

    void AddState(UINT bits) { m_nState |= bits; }
    void RemoveState(UINT bits) { m_nState &= ~bits; }
    UINT HasState(UINT bits) const { return m_nState & bits; }

    // ---- Layout ----------------------------------------------------------------------------------
    // Lays out for a viewport of width x height (0: the view window's outer size); origin (0, 0).
    void Layout(int width, int height);
    // The measure pass over the body (once per opening); tables last, nested tables first.
    void SetStaticData();
    // The layout pass for the current viewport size; the origin is left as it is.
    void SetDynamicData();
    void SetVerAlign();
    // The layout steps over the visible elements of one subtree (table cells use them).
    void SetPosition(CPoint start, CElement* root);
    void SetGroundWidth(int width, CElement* root);
    void SetHorBase(int x, CElement* root);

    // ---- The visible band ------------------------------------------------------------------------
    void FindTopVisible();
    void FindBottomVisible();
    CVisible* GetTopVisible(int top, int bottom);
    CVisible* GetBottomVisible(int top, int bottom);
    int ReadyToDraw() const;

    // ---- Drawing (dc in document coordinates) ----------------------------------------------------
    void DrawBackground(CDC* dc);
    void DrawElements(CDC* dc);
    void DrawAnimateImages(CDC* dc);
    void SaveOldRect();
    void RedrawElements();

    // ---- Hit tests (pt of MouseOnAnchor in view client coordinates, else document) ---------------
    CVisible* GetVisibleInPoint(CPoint pt);
    int MouseOnAnchor(CPoint pt);
    void SetActiveLink(FAnchor* anchor) { m_pActiveLink = anchor; }
    CString GetCurrentAnchor();

    // ---- Output ----------------------------------------------------------------------------------
    void Print();
    void SaveSource(CString path, int asHtml, int width);
    CString ExtractText(int width);
    int GetComponentList(CStringList& list);

public:
    UINT m_nState;
    CSize m_sizeContent;
    CSize m_sizeViewport;
    CPoint m_ptViewportOrg;
    CVisible* m_pTopVisible;
    CVisible* m_pBottomVisible;
    CPtrList m_listAnimate;        // FImage* with more than one frame, document order
    CPtrList m_listAnimateVisible; // those of them in the band at the last DrawElements
    CString m_strLocalPath;
    CString m_strComponentPath;
    CString m_strSource;
    CString m_strTitle;
    int m_bHtml;
    FAnchor* m_pActiveLink;         // into the body tree, not owned
    CMapManager* m_pMapManager;     // owned
    CImageManager* m_pImageManager; // owned
    CElement* m_pRoot;              // owned
    CElement* m_pHead;              // owned, detached
    CElement* m_pBody;              // owned, detached
    CWnd* m_pView;                  // not owned

private:
    // For the run-time class factory: a document without a window.
    CHtmlX();

    FBody* Body() const;
    // The two band searches for [top, bottom]; null without a body.
    CVisible* FindTop(int top, int bottom);
    CVisible* FindBottom(int top, int bottom);
    // The positions the band searches use changed: after each measuring and layout pass.
    void LayoutChanged();
    // Draws the tiles of the body's background image over the rectangle of size w x h at org.
    void TileBackground(CDC* dc, FBody* body, CPoint org, int w, int h);

    CBandIndex* m_pBandIndex = nullptr; // owned; made at the first band search

    CHtmlX(const CHtmlX&) = delete;
    CHtmlX& operator=(const CHtmlX&) = delete;
};
