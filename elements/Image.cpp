// FImage: construction of image elements.
#include "korhtml/ImageElement.h"

FImage::FImage(CHtmlX* doc)
    : CVisible(doc), m_nImageAlign(0), m_nBorder(0), m_nHeightAttr(-1), m_nHSpace(-1), m_bIsMap(FALSE),
      m_nVSpace(-1), m_nWidthAttr(-1), m_pImage(nullptr), m_nImageWidth(0), m_nImageHeight(0), m_nFrame(0),
      m_nTick(0)
{
    m_nKind = 37;
    m_dwFlags |= EF_INLINE;
}
