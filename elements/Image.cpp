// FImage: construction and attributes of image elements, and the animation step.
#include "korhtml/ImageElement.h"

#include "korgr/ImageDax.h"
#include "transform/AttrReader.h"

FImage::FImage(CHtmlX* doc)
    : CVisible(doc, TAG_IMG, EF_INLINE), m_nImageAlign(0), m_nBorder(0), m_nHeightAttr(-1), m_nHSpace(-1),
      m_bIsMap(FALSE), m_nVSpace(-1), m_nWidthAttr(-1), m_pImage(nullptr), m_nImageWidth(0),
      m_nImageHeight(0), m_nFrame(0), m_nTick(0)
{}

void FImage::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nImageAlign);
    a.Text("alt", m_strAlt);
    a.Length("border", m_nBorder);
    a.Length("height", m_nHeightAttr);
    a.Length("hspace", m_nHSpace);
    a.Flag("ismap", m_bIsMap);
    a.Text("src", m_strSrc);
    a.Text("usemap", m_strUseMap);
    if (!m_strUseMap.IsEmpty() && m_strUseMap[0] == '#')
        m_strUseMap = m_strUseMap.Mid(1); // "#nav" names the map "nav"
    a.Length("vspace", m_nVSpace);
    a.Length("width", m_nWidthAttr);
}

BOOL FImage::IsAnimated()
{
    return m_pImage && m_pImage->GetImageCount() > 1;
}

void FImage::DrawNextFrame(CDC* dc)
{
    if (!m_pImage)
        return;
    if (++m_nTick <= m_pImage->GetWaitTime(m_nFrame))
        return;
    m_nTick = 0;
    m_nFrame = (m_nFrame + 1) % m_pImage->GetImageCount();
    int x = m_nX + (m_nHSpace > 0 ? m_nHSpace : 0) + m_nBorder;
    int y = m_nY + (m_nVSpace > 0 ? m_nVSpace : 0) + m_nBorder;
    if (m_nWidthAttr < 0 && m_nHeightAttr < 0) {
        m_pImage->Draw(dc, x, y, m_nFrame);
    } else {
        int cx = m_nWidthAttr >= 0 ? m_nWidthAttr : m_nImageWidth;
        int cy = m_nHeightAttr >= 0 ? m_nHeightAttr : m_nImageHeight;
        m_pImage->Draw(dc, x, y, cx, cy, 0, 0, m_nFrame);
    }
}
