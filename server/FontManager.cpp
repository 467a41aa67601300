// CFontManager: linear search of the shared fonts by their description as the GDI reports it.
#include "server/FontManager.h"

#include "platform/gdi/gdi.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CFontManager, CObject)

namespace {

// Field by field in the order of the structure; the face up to and including its NUL, exactly.
bool SameFont(const LOGFONT& a, const LOGFONT& b)
{
    if (a.lfHeight != b.lfHeight || a.lfWidth != b.lfWidth || a.lfEscapement != b.lfEscapement ||
        a.lfOrientation != b.lfOrientation || a.lfWeight != b.lfWeight || a.lfItalic != b.lfItalic ||
        a.lfUnderline != b.lfUnderline || a.lfStrikeOut != b.lfStrikeOut || a.lfCharSet != b.lfCharSet ||
        a.lfOutPrecision != b.lfOutPrecision || a.lfClipPrecision != b.lfClipPrecision ||
        a.lfQuality != b.lfQuality || a.lfPitchAndFamily != b.lfPitchAndFamily)
        return false;
    for (int i = 0; i < LF_FACESIZE; ++i) {
        if (a.lfFaceName[i] != b.lfFaceName[i])
            return false;
        if (a.lfFaceName[i] == '\0')
            return true;
    }
    return true; // neither face is terminated within the field: all its bytes agree
}

} // namespace

CFontManager::CFontManager() : m_listFont(10) {}

CFontManager::~CFontManager()
{
    // Newest first; each CFont deletes its GDI object.
    while (!m_listFont.IsEmpty())
        delete m_listFont.RemoveTail();
}

CFont* CFontManager::FindOrCreateFont(LOGFONT* lf)
{
    if (!lf)
        return nullptr;
    for (POSITION pos = m_listFont.GetHeadPosition(); pos;) {
        CFont* font = static_cast<CFont*>(m_listFont.GetNext(pos));
        LOGFONT cached;
        // A font whose GDI object could not be made reports nothing and never matches.
        if (font->GetObject(int(sizeof(LOGFONT)), &cached) == int(sizeof(LOGFONT)) && SameFont(cached, *lf))
            return font;
    }
    CFont* font = new CFont;
    font->CreateFontIndirect(lf);
    m_listFont.AddTail(font);
    return font;
}
