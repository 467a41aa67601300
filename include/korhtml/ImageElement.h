// FImage: a picture from the document's image cache, inline or floated, with its image maps.
#pragma once

#include "korhtml/Element.h"

class CImageDax;

class FImage : public CVisible
{
public:
    explicit FImage(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    // The picture from the document's image cache, and the box: picture (or placeholder), border
    // and spaces. Restarts the animation.
    void Measure(CDC* dc) override;
    // Border, then the picture at its natural or asked size, or the placeholder of a picture
    // that is not ready: the stand-in centred at the top, a sunken frame and the label.
    void Draw(CDC* dc) override;
    // LEFT and RIGHT float to the line's edge and narrow the lines beside them; any other
    // alignment places the image in the line like a word.
    void Place(int x, int y) override;
    using CVisible::GetNextPos;
    CPoint* GetNextPos(CPoint* pt) override;
    // An area of the client-side map under the point is a link; an ismap image in an anchor is a
    // server-side map; otherwise the enclosing anchor decides.
    int GetAnchorType(CPoint pt) override;
    // The area's link, or the anchor's link with the point as a query ("href?x,y") for ismap.
    CString GetLink(CPoint* pt) override;
    int GetFloatAlign() override;

    // True when the picture has more than one frame.
    BOOL IsAnimated();
    // One tick of the animation: after the frame's wait the next frame is drawn in place.
    void DrawNextFrame(CDC* dc);
    // Narrows the lines beside the floated image (left to right, from top to bottom).
    void FlowAround(int left, int top, int right, int bottom, int side);

    // Attributes; -1 means "not given" for the sizes and spaces.
    int m_nImageAlign;
    CString m_strAlt;
    int m_nBorder;
    int m_nHeightAttr;
    int m_nHSpace;
    BOOL m_bIsMap;
    CString m_strSrc;
    CString m_strUseMap; // the map name, without the leading '#'
    int m_nVSpace;
    int m_nWidthAttr;

    CImageDax* m_pImage; // owned by the image cache
    CString m_strLabel;  // placeholder text: the alt text, or the file name without extension
    int m_nImageWidth;
    int m_nImageHeight;
    int m_nFrame;
    int m_nTick;

private:
    // hspace and vspace where they count (above 0), else 0.
    int HSpace() const { return m_nHSpace > 0 ? m_nHSpace : 0; }
    int VSpace() const { return m_nVSpace > 0 ? m_nVSpace : 0; }
    // The size the picture is drawn at: the width and height asked for, else the picture's own;
    // never more than a box may measure.
    int DrawnWidth() const;
    int DrawnHeight() const;
    void DrawPlaceholder(CDC* dc);
};
