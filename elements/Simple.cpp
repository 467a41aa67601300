// Simple elements: trait flags and initial values, the font rules of the style elements, alignments.
#include "korhtml/SimpleElements.h"

#include "korhtml/AttrValues.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "korhtml/TextElement.h"
#include "korgr/ImageDax.h"
#include "maps/ImageManager.h"
#include "korlib/korlib.h"
#include "platform/gdi/gdi.h"

#include <cstring>

FAnchor::FAnchor(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_A;
    m_dwFlags = EF_FONT;
}

FAddress::FAddress(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_ADDRESS;
    m_dwFlags = EF_FONT;
}

FApplet::FApplet(CHtmlX* doc)
    : CElement(doc), m_nAlign(0), m_nHeight(-1), m_nHSpace(-1), m_nVSpace(-1), m_nWidth(-1)
{
    m_nKind = TAG_APPLET;
    m_dwFlags = 0;
}

FBold::FBold(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_B;
    m_dwFlags = EF_FONT;
}

FBase::FBase(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_BASE;
    m_dwFlags = 0;
}

FBig::FBig(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_BIG;
    m_dwFlags = EF_FONT;
}

FBlink::FBlink(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_BLINK;
    m_dwFlags = 0;
}

FBlockQuote::FBlockQuote(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_BLOCKQUOTE;
    m_dwFlags = EF_PARAGRAPH;
}

FBody::FBody(CHtmlX* doc)
    : CElement(doc), m_crALink(0x0000FF), m_crBgColor(GetSysColor(COLOR_WINDOW)), m_crLink(0xFF0000),
      m_crText(0x000000), m_crVLink(0xFF00FF), m_nVAlign(0), m_pBackImage(nullptr), m_nBackWidth(0),
      m_nBackHeight(0)
{
    m_nKind = TAG_BODY;
    m_dwFlags = EF_FONT | EF_CONTEXT;
}

FCenter::FCenter(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_CENTER;
    m_dwFlags = EF_PARAGRAPH | EF_ALIGN;
}

FCite::FCite(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_CITE;
    m_dwFlags = EF_FONT;
}

FCode::FCode(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_CODE;
    m_dwFlags = EF_FONT;
}

FComment::FComment(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_COMMENT;
    m_dwFlags = 0;
}

FDefinitionData::FDefinitionData(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_DD;
    m_dwFlags = EF_LINEBREAK;
}

FDefinition::FDefinition(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_DFN;
    m_dwFlags = 0;
}

FDirectory::FDirectory(CHtmlX* doc) : CElement(doc), m_bCompact(0)
{
    m_nKind = TAG_DIR;
    m_dwFlags = EF_PARAGRAPH | EF_LIST;
}

FDivision::FDivision(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = TAG_DIV;
    m_dwFlags = EF_LINEBREAK | EF_ALIGN;
}

FDefinitionList::FDefinitionList(CHtmlX* doc) : CElement(doc), m_bCompact(0)
{
    m_nKind = TAG_DL;
    m_dwFlags = EF_PARAGRAPH;
}

FDefinitionTerm::FDefinitionTerm(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_DT;
    m_dwFlags = EF_LINEBREAK;
}

FEmphasis::FEmphasis(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_EM;
    m_dwFlags = EF_FONT;
}

FFont::FFont(CHtmlX* doc)
    : CElement(doc), m_crColor(0), m_nSize(0), m_bColorGiven(0), m_bSizeGiven(0), m_bFaceGiven(0)
{
    m_nKind = TAG_FONT;
    m_dwFlags = EF_FONT;
}

FFrame::FFrame(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_FRAME;
    m_dwFlags = EF_FONT | EF_CONTEXT;
}

FFrameSet::FFrameSet(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_FRAMESET;
    m_dwFlags = EF_FONT | EF_CONTEXT;
}

FHeading1::FHeading1(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = TAG_H1;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHeading2::FHeading2(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = TAG_H2;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHeading3::FHeading3(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = TAG_H3;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHeading4::FHeading4(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = TAG_H4;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHeading5::FHeading5(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = TAG_H5;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHeading6::FHeading6(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = TAG_H6;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHead::FHead(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_HEAD;
    m_dwFlags = 0;
}

FHtml::FHtml(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_HTML;
    m_dwFlags = 0;
}

FItalic::FItalic(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_I;
    m_dwFlags = EF_FONT;
}

FIsIndex::FIsIndex(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_ISINDEX;
    m_dwFlags = 0;
}

FKeyboard::FKeyboard(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_KBD;
    m_dwFlags = EF_FONT;
}

FLink::FLink(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_LINK;
    m_dwFlags = 0;
}

FListing::FListing(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_LISTING;
    m_dwFlags = EF_FONT | EF_PARAGRAPH;
}

FMenu::FMenu(CHtmlX* doc) : CElement(doc), m_bCompact(0)
{
    m_nKind = TAG_MENU;
    m_dwFlags = EF_PARAGRAPH | EF_LIST;
}

FMeta::FMeta(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_META;
    m_dwFlags = 0;
}

FNoFrames::FNoFrames(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_NOFRAMES;
    m_dwFlags = EF_FONT | EF_CONTEXT;
}

FOrderedList::FOrderedList(CHtmlX* doc) : CElement(doc), m_bCompact(0), m_nStart(0), m_nType(0)
{
    m_nKind = TAG_OL;
    m_dwFlags = EF_PARAGRAPH | EF_LIST;
}

FParagraph::FParagraph(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = TAG_P;
    m_dwFlags = EF_PARAGRAPH | EF_ALIGN;
}

FParam::FParam(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_PARAM;
    m_dwFlags = 0;
}

FPreformatted::FPreformatted(CHtmlX* doc) : CElement(doc), m_nWidth(-1)
{
    m_nKind = TAG_PRE;
    m_dwFlags = EF_FONT | EF_PARAGRAPH;
}

FSample::FSample(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_SAMP;
    m_dwFlags = EF_FONT;
}

FScript::FScript(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_SCRIPT;
    m_dwFlags = 0;
}

FSmall::FSmall(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_SMALL;
    m_dwFlags = EF_FONT;
}

FStrike::FStrike(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_STRIKE;
    m_dwFlags = EF_FONT;
}

FStrong::FStrong(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_STRONG;
    m_dwFlags = EF_FONT;
}

FStyle::FStyle(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_STYLE;
    m_dwFlags = 0;
}

FSubscript::FSubscript(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_SUB;
    m_dwFlags = EF_FONT;
}

FSuperscript::FSuperscript(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_SUP;
    m_dwFlags = EF_FONT;
}

FTitle::FTitle(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_TITLE;
    m_dwFlags = 0;
}

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

FTeletype::FTeletype(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_TT;
    m_dwFlags = EF_FONT;
}

FUnderline::FUnderline(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_U;
    m_dwFlags = EF_FONT;
}

FUnorderedList::FUnorderedList(CHtmlX* doc) : CElement(doc), m_bCompact(0), m_nType(0)
{
    m_nKind = TAG_UL;
    m_dwFlags = EF_PARAGRAPH | EF_LIST;
}

FVariable::FVariable(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_VAR;
    m_dwFlags = EF_FONT;
}

FExample::FExample(CHtmlX* doc) : CElement(doc)
{
    m_nKind = TAG_XMP;
    m_dwFlags = EF_FONT | EF_PARAGRAPH;
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
