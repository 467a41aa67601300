// Simple elements: construction and attributes, the font rules of the style elements, alignments.
#include "korhtml/SimpleElements.h"

#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "korhtml/TextElement.h"
#include "korgr/ImageDax.h"
#include "maps/ImageManager.h"
#include "korlib/korlib.h"
#include "platform/gdi/gdi.h"
#include "transform/AttrReader.h"

#include <cstring>

// ---- Construction and attributes ------------------------------------------------------------------

FAnchor::FAnchor(CHtmlX* doc) : CElement(doc, TAG_A, EF_FONT) {}

void FAnchor::ReadAttributes(const CAttrReader& a)
{
    a.Text("href", m_strHref);
    a.Text("name", m_strName);
    a.Text("rel", m_strRel);
    a.Text("rev", m_strRev);
    a.Text("title", m_strTitle);
    a.Text("korlink", m_strKorLink);
}

FApplet::FApplet(CHtmlX* doc)
    : CElement(doc, TAG_APPLET, 0), m_nAlign(0), m_nHeight(-1), m_nHSpace(-1), m_nVSpace(-1), m_nWidth(-1)
{}

void FApplet::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nAlign);
    a.Text("alt", m_strAlt);
    a.Text("code", m_strCode);
    a.Text("codebase", m_strCodeBase);
    a.Length("height", m_nHeight);
    a.Length("hspace", m_nHSpace);
    a.Text("name", m_strName);
    a.Length("vspace", m_nVSpace);
    a.Length("width", m_nWidth);
}

FBase::FBase(CHtmlX* doc) : CElement(doc, TAG_BASE, 0) {}

void FBase::ReadAttributes(const CAttrReader& a)
{
    a.Text("href", m_strHref);
}

FBody::FBody(CHtmlX* doc)
    : CElement(doc, TAG_BODY, EF_FONT | EF_CONTEXT), m_crALink(0x0000FF),
      m_crBgColor(GetSysColor(COLOR_WINDOW)), m_crLink(0xFF0000), m_crText(0x000000), m_crVLink(0xFF00FF),
      m_nVAlign(0), m_pBackImage(nullptr), m_nBackWidth(0), m_nBackHeight(0)
{}

void FBody::ReadAttributes(const CAttrReader& a)
{
    a.Color("alink", m_crALink);
    a.Text("background", m_strBackground);
    a.Color("bgcolor", m_crBgColor);
    a.Color("link", m_crLink);
    a.Color("text", m_crText);
    a.Color("vlink", m_crVLink);
    a.VAlign("valign", m_nVAlign);
}

FComment::FComment(CHtmlX* doc) : CElement(doc, TAG_COMMENT, 0) {}

void FComment::ReadAttributes(const CAttrReader& a)
{
    a.Raw("comment", m_strComment); // the comment text as written
}

FDirectory::FDirectory(CHtmlX* doc) : CElement(doc, TAG_DIR, EF_PARAGRAPH | EF_LIST), m_bCompact(0) {}

void FDirectory::ReadAttributes(const CAttrReader& a)
{
    a.Flag("compact", m_bCompact);
}

FDivision::FDivision(CHtmlX* doc) : CElement(doc, TAG_DIV, EF_LINEBREAK | EF_ALIGN), m_nAlign(0) {}

void FDivision::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nAlign);
}

FDefinitionList::FDefinitionList(CHtmlX* doc) : CElement(doc, TAG_DL, EF_PARAGRAPH), m_bCompact(0) {}

void FDefinitionList::ReadAttributes(const CAttrReader& a)
{
    a.Flag("compact", m_bCompact);
}

FFont::FFont(CHtmlX* doc)
    : CElement(doc, TAG_FONT, EF_FONT), m_crColor(0), m_nSize(0), m_bColorGiven(0), m_bSizeGiven(0),
      m_bFaceGiven(0)
{}

// Each given-flag follows its own attribute, so a FONT changes only what it names.
void FFont::ReadAttributes(const CAttrReader& a)
{
    if (a.Color("color", m_crColor))
        m_bColorGiven = 1;
    if (a.FontSize("size", m_nSize))
        m_bSizeGiven = 1;
    if (a.Text("face", m_strFace))
        m_bFaceGiven = 1;
}

FFrame::FFrame(CHtmlX* doc) : CElement(doc, TAG_FRAME, EF_FONT | EF_CONTEXT) {}

void FFrame::ReadAttributes(const CAttrReader& a)
{
    a.Text("src", m_strSrc);
    a.Text("name", m_strName);
    a.Text("noresize", m_strNoResize);
    a.Text("scrolling", m_strScrolling);
    a.Text("marginheight", m_strMarginHeight);
    a.Text("marginwidth", m_strMarginWidth);
}

FFrameSet::FFrameSet(CHtmlX* doc) : CElement(doc, TAG_FRAMESET, EF_FONT | EF_CONTEXT) {}

void FFrameSet::ReadAttributes(const CAttrReader& a)
{
    a.Text("rows", m_strRows);
    a.Text("cols", m_strCols);
}

FHeading1::FHeading1(CHtmlX* doc) : CElement(doc, TAG_H1, EF_FONT | EF_PARAGRAPH | EF_ALIGN), m_nAlign(0) {}

void FHeading1::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nAlign);
}

FHeading2::FHeading2(CHtmlX* doc) : CElement(doc, TAG_H2, EF_FONT | EF_PARAGRAPH | EF_ALIGN), m_nAlign(0) {}

void FHeading2::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nAlign);
}

FHeading3::FHeading3(CHtmlX* doc) : CElement(doc, TAG_H3, EF_FONT | EF_PARAGRAPH | EF_ALIGN), m_nAlign(0) {}

void FHeading3::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nAlign);
}

FHeading4::FHeading4(CHtmlX* doc) : CElement(doc, TAG_H4, EF_FONT | EF_PARAGRAPH | EF_ALIGN), m_nAlign(0) {}

void FHeading4::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nAlign);
}

FHeading5::FHeading5(CHtmlX* doc) : CElement(doc, TAG_H5, EF_FONT | EF_PARAGRAPH | EF_ALIGN), m_nAlign(0) {}

void FHeading5::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nAlign);
}

FHeading6::FHeading6(CHtmlX* doc) : CElement(doc, TAG_H6, EF_FONT | EF_PARAGRAPH | EF_ALIGN), m_nAlign(0) {}

void FHeading6::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nAlign);
}

FHtml::FHtml(CHtmlX* doc) : CElement(doc, TAG_HTML, 0) {}

void FHtml::ReadAttributes(const CAttrReader& a)
{
    a.Text("version", m_strVersion);
}

FIsIndex::FIsIndex(CHtmlX* doc) : CElement(doc, TAG_ISINDEX, 0) {}

void FIsIndex::ReadAttributes(const CAttrReader& a)
{
    a.Text("prompt", m_strPrompt);
}

FLink::FLink(CHtmlX* doc) : CElement(doc, TAG_LINK, 0) {}

void FLink::ReadAttributes(const CAttrReader& a)
{
    a.Text("href", m_strHref);
    a.Text("id", m_strId);
    a.Text("rel", m_strRel);
    a.Text("rev", m_strRev);
    a.Text("title", m_strTitle);
}

FMenu::FMenu(CHtmlX* doc) : CElement(doc, TAG_MENU, EF_PARAGRAPH | EF_LIST), m_bCompact(0) {}

void FMenu::ReadAttributes(const CAttrReader& a)
{
    a.Flag("compact", m_bCompact);
}

FMeta::FMeta(CHtmlX* doc) : CElement(doc, TAG_META, 0) {}

void FMeta::ReadAttributes(const CAttrReader& a)
{
    a.Text("content", m_strContent);
    a.Text("http-equiv", m_strHttpEquiv);
    a.Text("name", m_strName);
}

FOrderedList::FOrderedList(CHtmlX* doc)
    : CElement(doc, TAG_OL, EF_PARAGRAPH | EF_LIST), m_bCompact(0), m_nStart(0), m_nType(0)
{}

void FOrderedList::ReadAttributes(const CAttrReader& a)
{
    a.Flag("compact", m_bCompact);
    a.Length("start", m_nStart);
    a.Type("type", m_nType);
}

FParagraph::FParagraph(CHtmlX* doc) : CElement(doc, TAG_P, EF_PARAGRAPH | EF_ALIGN), m_nAlign(0) {}

void FParagraph::ReadAttributes(const CAttrReader& a)
{
    a.Align("align", m_nAlign);
}

FParam::FParam(CHtmlX* doc) : CElement(doc, TAG_PARAM, 0) {}

void FParam::ReadAttributes(const CAttrReader& a)
{
    a.Text("name", m_strName);
    a.Text("value", m_strValue);
}

FPreformatted::FPreformatted(CHtmlX* doc) : CElement(doc, TAG_PRE, EF_FONT | EF_PARAGRAPH), m_nWidth(-1) {}

void FPreformatted::ReadAttributes(const CAttrReader& a)
{
    a.Length("width", m_nWidth);
}

FUnorderedList::FUnorderedList(CHtmlX* doc)
    : CElement(doc, TAG_UL, EF_PARAGRAPH | EF_LIST), m_bCompact(0), m_nType(0)
{}

void FUnorderedList::ReadAttributes(const CAttrReader& a)
{
    a.Flag("compact", m_bCompact);
    a.Type("type", m_nType);
}

// ---- Title ---------------------------------------------------------------------------------------

CString FTitle::GetTitleText()
{
    CElement* run = FindDescendantByKind(KIND_TEXT, FALSE, nullptr);
    if (!run)
        return CString("\xC1\xA6\xB8\xF1 \xBE\xF8\xC0\xBD");
    // Text inside other elements of the title (a bold word) is left out: only sibling runs count.
    CString title;
    for (; run; run = run->FindNextSiblingByKind(KIND_TEXT, FALSE, nullptr))
        title += static_cast<FText*>(run)->m_strRaw;
    return title;
}

// A heading, P or DIV without an align attribute returns 0 and lets an outer element decide.
int FHeading1::GetAlign()
{
    return m_nAlign;
}

int FHeading2::GetAlign()
{
    return m_nAlign;
}

int FHeading3::GetAlign()
{
    return m_nAlign;
}

int FHeading4::GetAlign()
{
    return m_nAlign;
}

int FHeading5::GetAlign()
{
    return m_nAlign;
}

int FHeading6::GetAlign()
{
    return m_nAlign;
}

int FDivision::GetAlign()
{
    return m_nAlign;
}

int FParagraph::GetAlign()
{
    return m_nAlign;
}

int FCenter::GetAlign()
{
    return ALIGN_CENTER;
}

// ---- Font rules ----------------------------------------------------------------------------------

namespace {

// Face and pitch of the fixed-pitch standard font; height, weight and style stay.
void SetFixedFace(LOGFONT* lf)
{
    const LOGFONT* fixed = GetLogFont(1);
    lf->lfPitchAndFamily = fixed->lfPitchAndFamily;
    std::memcpy(lf->lfFaceName, fixed->lfFaceName, LF_FACESIZE);
}

void SetHeading(LOGFONT* lf, int sizeIndex)
{
    lf->lfWeight = FW_EXTRABOLD;
    lf->lfHeight = GetFontSize(sizeIndex);
}

// The index of height in the table of font sizes, searched in first..last; -1 when absent.
int FontSizeIndex(LONG height, int first, int last)
{
    for (int i = first; i <= last; ++i)
        if (GetFontSize(i) == height)
            return i;
    return -1;
}

// The body whose link colours an anchor takes: the document's, else the one around the element.
FBody* LinkColourBody(CElement* e)
{
    if (e->m_pDoc) {
        CElement* body = e->m_pDoc->GetBody();
        if (body && body->m_nKind == TAG_BODY)
            return static_cast<FBody*>(body);
    }
    return static_cast<FBody*>(e->FindAncestorByKind(TAG_BODY, FALSE, nullptr));
}

} // namespace

void FAnchor::ApplyFont(LOGFONT* lf, COLORREF* color)
{
    FBody* body = LinkColourBody(this);
    const COLORREF link = body ? body->m_crLink : 0xFF0000;
    const COLORREF vlink = body ? body->m_crVLink : 0xFF00FF;
    if (!m_strHref.IsEmpty()) {
        lf->lfUnderline = 1;
        *color = IsOpenLink(m_strHref) ? vlink : link;
    } else if (!m_strKorLink.IsEmpty()) {
        // A korlink is not underlined; until it is opened it stands out in black weight instead.
        if (IsOpenLink(m_strKorLink)) {
            *color = vlink;
        } else {
            lf->lfWeight = FW_BLACK;
            *color = link;
        }
    }
}

void FAddress::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    lf->lfItalic = 1;
}

void FBold::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    lf->lfWeight = FW_EXTRABOLD;
}

// BIG steps up from the size of the text before it, not from the description built so far.
void FBig::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    LONG height = GetFontSize(2);
    CElement* prev = FindPrevByKind(KIND_TEXT, FALSE, nullptr);
    if (prev) {
        CFont* font = static_cast<FText*>(prev)->m_pFont;
        LOGFONT before;
        if (font && font->GetLogFont(&before))
            height = before.lfHeight;
    }
    int i = FontSizeIndex(height, 0, 5);
    if (i >= 0)
        lf->lfHeight = GetFontSize(i + 1);
}

void FBody::ApplyFont(LOGFONT* lf, COLORREF* color)
{
    *lf = *GetLogFont(0);
    *color = m_crText;
}

void FCite::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    lf->lfItalic = 1;
}

void FCode::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetFixedFace(lf);
}

void FEmphasis::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    lf->lfItalic = 1;
}

void FFont::ApplyFont(LOGFONT* lf, COLORREF* color)
{
    if (m_bSizeGiven) {
        if (m_nSize < 1)
            m_nSize = 1;
        else if (m_nSize > 7)
            m_nSize = 7;
        lf->lfHeight = GetFontSize(m_nSize - 1);
    }
    if (m_bFaceGiven) {
        lf->lfPitchAndFamily = KorGetPitchAndFamily(m_strFace);
        // At most 31 bytes fit beside the terminator; a two-byte character is never cut in half.
        const char* face = m_strFace.GetString();
        const int len = m_strFace.GetLength();
        int n = 0;
        while (n < len && face[n] != 0) {
            int step = (kor::IsLeadByte(static_cast<BYTE>(face[n])) && n + 1 < len) ? 2 : 1;
            if (n + step > LF_FACESIZE - 1)
                break;
            n += step;
        }
        std::memset(lf->lfFaceName, 0, LF_FACESIZE);
        std::memcpy(lf->lfFaceName, face, n);
        // Korean face names are written in two-byte characters: any such byte asks for the Korean
        // character set, a name of plain ASCII for the Western one.
        if (n > 0) {
            bool korean = false;
            for (int i = 0; i < n; ++i)
                if (static_cast<BYTE>(face[i]) >= 0x80)
                    korean = true;
            lf->lfCharSet = korean ? HANGEUL_CHARSET : ANSI_CHARSET;
        }
    }
    if (m_bColorGiven)
        *color = m_crColor;
}

void FHeading1::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetHeading(lf, 5);
}

void FHeading2::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetHeading(lf, 4);
}

void FHeading3::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetHeading(lf, 3);
}

void FHeading4::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetHeading(lf, 2);
}

void FHeading5::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetHeading(lf, 1);
}

void FHeading6::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetHeading(lf, 0);
}

void FItalic::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    lf->lfItalic = 1;
}

void FKeyboard::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetFixedFace(lf);
}

void FListing::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetFixedFace(lf);
    lf->lfHeight = GetFontSize(1);
}

// PRE takes the fixed font's size and face but keeps weight and style from outside.
void FPreformatted::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    const LOGFONT* fixed = GetLogFont(1);
    lf->lfHeight = fixed->lfHeight;
    lf->lfCharSet = fixed->lfCharSet;
    lf->lfOutPrecision = fixed->lfOutPrecision;
    lf->lfClipPrecision = fixed->lfClipPrecision;
    lf->lfQuality = fixed->lfQuality;
    std::memcpy(lf->lfFaceName, fixed->lfFaceName, LF_FACESIZE);
    lf->lfPitchAndFamily = fixed->lfPitchAndFamily;
}

void FSample::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetFixedFace(lf);
}

// SMALL steps down from the description built so far; the smallest size and heights outside the
// table stay.
void FSmall::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    int i = FontSizeIndex(lf->lfHeight, 1, 6);
    if (i >= 0)
        lf->lfHeight = GetFontSize(i - 1);
}

void FStrike::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    lf->lfStrikeOut = 1;
}

void FStrong::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    lf->lfWeight = FW_EXTRABOLD;
}

void FSubscript::ApplyFont(LOGFONT* /*lf*/, COLORREF* /*color*/) {}

void FSuperscript::ApplyFont(LOGFONT* /*lf*/, COLORREF* /*color*/) {}

void FTeletype::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetFixedFace(lf);
}

void FUnderline::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    lf->lfUnderline = 1;
}

void FVariable::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    lf->lfItalic = 1;
}

void FExample::ApplyFont(LOGFONT* lf, COLORREF* /*color*/)
{
    SetFixedFace(lf);
}

// ---- Background ----------------------------------------------------------------------------------

// The image manager may hand back one of the server's stand-in images (remote or failed).
void FBody::LoadBackground()
{
    if (m_strBackground.IsEmpty() || !m_pDoc)
        return;
    CImageManager* images = m_pDoc->GetImageManager();
    if (!images)
        return;
    m_pBackImage = images->GetImage(m_pDoc->FindLocalPath(m_strBackground));
    if (m_pBackImage) {
        m_nBackWidth = m_pBackImage->Width();
        m_nBackHeight = m_pBackImage->Height();
    }
}
