// FImage: construction of image elements and the animation step.
#include "korhtml/ImageElement.h"

#include "korgr/ImageDax.h"

FImage::FImage(CHtmlX* doc)
    : CVisible(doc), m_nImageAlign(0), m_nBorder(0), m_nHeightAttr(-1), m_nHSpace(-1), m_bIsMap(FALSE),
      m_nVSpace(-1), m_nWidthAttr(-1), m_pImage(nullptr), m_nImageWidth(0), m_nImageHeight(0), m_nFrame(0),
      m_nTick(0)
{
    m_nKind = TAG_IMG;
    m_dwFlags |= EF_INLINE;
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
