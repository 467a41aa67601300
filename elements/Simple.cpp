// Simple elements: each kind with its trait flags and initial values, and the aligning containers.
#include "korhtml/SimpleElements.h"

#include "korhtml/AttrValues.h"
#include "platform/gdi/gdi.h"

FAnchor::FAnchor(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 0;
    m_dwFlags = EF_FONT;
}

FAddress::FAddress(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 1;
    m_dwFlags = EF_FONT;
}

FApplet::FApplet(CHtmlX* doc)
    : CElement(doc), m_nAlign(0), m_nHeight(-1), m_nHSpace(-1), m_nVSpace(-1), m_nWidth(-1)
{
    m_nKind = 2;
    m_dwFlags = 0;
}

FBold::FBold(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 4;
    m_dwFlags = EF_FONT;
}

FBase::FBase(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 5;
    m_dwFlags = 0;
}

FBig::FBig(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 6;
    m_dwFlags = EF_FONT;
}

FBlink::FBlink(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 7;
    m_dwFlags = 0;
}

FBlockQuote::FBlockQuote(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 8;
    m_dwFlags = EF_PARAGRAPH;
}

FBody::FBody(CHtmlX* doc)
    : CElement(doc), m_crALink(0x0000FF), m_crBgColor(GetSysColor(COLOR_WINDOW)), m_crLink(0xFF0000),
      m_crText(0x000000), m_crVLink(0xFF00FF), m_nVAlign(0), m_pBackImage(nullptr), m_nBackWidth(0),
      m_nBackHeight(0)
{
    m_nKind = 9;
    m_dwFlags = EF_FONT | EF_CONTEXT;
}

FCenter::FCenter(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 12;
    m_dwFlags = EF_PARAGRAPH | EF_ALIGN;
}

FCite::FCite(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 13;
    m_dwFlags = EF_FONT;
}

FCode::FCode(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 14;
    m_dwFlags = EF_FONT;
}

FComment::FComment(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 15;
    m_dwFlags = 0;
}

FDefinitionData::FDefinitionData(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 16;
    m_dwFlags = EF_LINEBREAK;
}

FDefinition::FDefinition(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 17;
    m_dwFlags = 0;
}

FDirectory::FDirectory(CHtmlX* doc) : CElement(doc), m_bCompact(0)
{
    m_nKind = 18;
    m_dwFlags = EF_PARAGRAPH | EF_LIST;
}

FDivision::FDivision(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = 19;
    m_dwFlags = EF_LINEBREAK | EF_ALIGN;
}

FDefinitionList::FDefinitionList(CHtmlX* doc) : CElement(doc), m_bCompact(0)
{
    m_nKind = 20;
    m_dwFlags = EF_PARAGRAPH;
}

FDefinitionTerm::FDefinitionTerm(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 21;
    m_dwFlags = EF_LINEBREAK;
}

FEmphasis::FEmphasis(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 22;
    m_dwFlags = EF_FONT;
}

FFont::FFont(CHtmlX* doc)
    : CElement(doc), m_crColor(0), m_nSize(0), m_bColorGiven(0), m_bSizeGiven(0), m_bFaceGiven(0)
{
    m_nKind = 23;
    m_dwFlags = EF_FONT;
}

FFrame::FFrame(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 25;
    m_dwFlags = EF_FONT | EF_CONTEXT;
}

FFrameSet::FFrameSet(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 26;
    m_dwFlags = EF_FONT | EF_CONTEXT;
}

FHeading1::FHeading1(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = 27;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHeading2::FHeading2(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = 28;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHeading3::FHeading3(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = 29;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHeading4::FHeading4(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = 30;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHeading5::FHeading5(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = 31;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHeading6::FHeading6(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = 32;
    m_dwFlags = EF_FONT | EF_PARAGRAPH | EF_ALIGN;
}

FHead::FHead(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 33;
    m_dwFlags = 0;
}

FHtml::FHtml(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 35;
    m_dwFlags = 0;
}

FItalic::FItalic(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 36;
    m_dwFlags = EF_FONT;
}

FIsIndex::FIsIndex(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 39;
    m_dwFlags = 0;
}

FKeyboard::FKeyboard(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 40;
    m_dwFlags = EF_FONT;
}

FLink::FLink(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 42;
    m_dwFlags = 0;
}

FListing::FListing(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 43;
    m_dwFlags = EF_FONT | EF_PARAGRAPH;
}

FMenu::FMenu(CHtmlX* doc) : CElement(doc), m_bCompact(0)
{
    m_nKind = 45;
    m_dwFlags = EF_PARAGRAPH | EF_LIST;
}

FMeta::FMeta(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 46;
    m_dwFlags = 0;
}

FNoFrames::FNoFrames(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 47;
    m_dwFlags = EF_FONT | EF_CONTEXT;
}

FOrderedList::FOrderedList(CHtmlX* doc) : CElement(doc), m_bCompact(0), m_nStart(0), m_nType(0)
{
    m_nKind = 48;
    m_dwFlags = EF_PARAGRAPH | EF_LIST;
}

FParagraph::FParagraph(CHtmlX* doc) : CElement(doc), m_nAlign(0)
{
    m_nKind = 50;
    m_dwFlags = EF_PARAGRAPH | EF_ALIGN;
}

FParam::FParam(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 51;
    m_dwFlags = 0;
}

FPreformatted::FPreformatted(CHtmlX* doc) : CElement(doc), m_nWidth(-1)
{
    m_nKind = 53;
    m_dwFlags = EF_FONT | EF_PARAGRAPH;
}

FSample::FSample(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 54;
    m_dwFlags = EF_FONT;
}

FScript::FScript(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 55;
    m_dwFlags = 0;
}

FSmall::FSmall(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 57;
    m_dwFlags = EF_FONT;
}

FStrike::FStrike(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 58;
    m_dwFlags = EF_FONT;
}

FStrong::FStrong(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 59;
    m_dwFlags = EF_FONT;
}

FStyle::FStyle(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 60;
    m_dwFlags = 0;
}

FSubscript::FSubscript(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 61;
    m_dwFlags = EF_FONT;
}

FSuperscript::FSuperscript(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 62;
    m_dwFlags = EF_FONT;
}

FTitle::FTitle(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 68;
    m_dwFlags = 0;
}

FTeletype::FTeletype(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 70;
    m_dwFlags = EF_FONT;
}

FUnderline::FUnderline(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 71;
    m_dwFlags = EF_FONT;
}

FUnorderedList::FUnorderedList(CHtmlX* doc) : CElement(doc), m_bCompact(0), m_nType(0)
{
    m_nKind = 72;
    m_dwFlags = EF_PARAGRAPH | EF_LIST;
}

FVariable::FVariable(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 73;
    m_dwFlags = EF_FONT;
}

FExample::FExample(CHtmlX* doc) : CElement(doc)
{
    m_nKind = 75;
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
