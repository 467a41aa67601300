// FImage: a picture from the document's image cache, inline or floated, with its image maps.
#pragma once

#include "korhtml/Export.h"
#include "korhtml/Element.h"

class CImageDax;

class KORHTML_API FImage : public CVisible
{
public:
    explicit FImage(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    // True when the picture has more than one frame.
    BOOL IsAnimated();
    // One tick of the animation: after the frame's wait the next frame is drawn in place.
    void DrawNextFrame(CDC* dc);

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
};
