// Elements that take no space: font and style elements, body and frame roots, blocks, lists, data holders.
#pragma once

#include "korhtml/Export.h"
#include "korhtml/Element.h"
#include "korhtml/MapElements.h"

class CImageDax;

// ---- Font elements: the text inside them asks them to change its font ----

// A: a link (href or korlink) or a named target.
class KORHTML_API FAnchor : public CElement
{
public:
    explicit FAnchor(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;

    CString m_strHref;
    CString m_strName;
    CString m_strRel;
    CString m_strRev;
    CString m_strTitle;
    CString m_strKorLink;
};

class KORHTML_API FAddress : public CElement
{
public:
    explicit FAddress(CHtmlX* doc) : CElement(doc, TAG_ADDRESS, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FBold : public CElement
{
public:
    explicit FBold(CHtmlX* doc) : CElement(doc, TAG_B, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FBig : public CElement
{
public:
    explicit FBig(CHtmlX* doc) : CElement(doc, TAG_BIG, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

// BODY: the font root of the document and the holder of its colours and background.
class KORHTML_API FBody : public CElement
{
public:
    explicit FBody(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
    // Fetches the background image through the document's image manager (measure pass).
    void LoadBackground();

    COLORREF m_crALink;
    CString m_strBackground;
    COLORREF m_crBgColor;
    COLORREF m_crLink;
    COLORREF m_crText;
    COLORREF m_crVLink;
    int m_nVAlign;
    CImageDax* m_pBackImage; // owned by the document's image manager
    int m_nBackWidth;
    int m_nBackHeight;
};

class KORHTML_API FCite : public CElement
{
public:
    explicit FCite(CHtmlX* doc) : CElement(doc, TAG_CITE, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FCode : public CElement
{
public:
    explicit FCode(CHtmlX* doc) : CElement(doc, TAG_CODE, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FEmphasis : public CElement
{
public:
    explicit FEmphasis(CHtmlX* doc) : CElement(doc, TAG_EM, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

// FONT: each of colour, size and face changes the text only when its attribute was given.
class KORHTML_API FFont : public CElement
{
public:
    explicit FFont(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;

    COLORREF m_crColor;
    int m_nSize;
    CString m_strFace;
    int m_bColorGiven;
    int m_bSizeGiven;
    int m_bFaceGiven;
};

// FRAME, FRAMESET, NOFRAMES: not shown as panes; they only root the font and the layout context.
class KORHTML_API FFrame : public CElement
{
public:
    explicit FFrame(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    CString m_strSrc;
    CString m_strName;
    CString m_strNoResize;
    CString m_strScrolling;
    CString m_strMarginHeight;
    CString m_strMarginWidth;
};

class KORHTML_API FFrameSet : public CElement
{
public:
    explicit FFrameSet(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    CString m_strRows;
    CString m_strCols;
};

class KORHTML_API FNoFrames : public CElement
{
public:
    explicit FNoFrames(CHtmlX* doc) : CElement(doc, TAG_NOFRAMES, EF_FONT | EF_CONTEXT) {}
};

// H1 to H6: bold, sized, and aligned by their own align attribute when it has one.
class KORHTML_API FHeading1 : public CElement
{
public:
    explicit FHeading1(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
    int GetAlign() override;

    int m_nAlign;
};

class KORHTML_API FHeading2 : public CElement
{
public:
    explicit FHeading2(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
    int GetAlign() override;

    int m_nAlign;
};

class KORHTML_API FHeading3 : public CElement
{
public:
    explicit FHeading3(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
    int GetAlign() override;

    int m_nAlign;
};

class KORHTML_API FHeading4 : public CElement
{
public:
    explicit FHeading4(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
    int GetAlign() override;

    int m_nAlign;
};

class KORHTML_API FHeading5 : public CElement
{
public:
    explicit FHeading5(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
    int GetAlign() override;

    int m_nAlign;
};

class KORHTML_API FHeading6 : public CElement
{
public:
    explicit FHeading6(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
    int GetAlign() override;

    int m_nAlign;
};

class KORHTML_API FItalic : public CElement
{
public:
    explicit FItalic(CHtmlX* doc) : CElement(doc, TAG_I, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FKeyboard : public CElement
{
public:
    explicit FKeyboard(CHtmlX* doc) : CElement(doc, TAG_KBD, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FListing : public CElement
{
public:
    explicit FListing(CHtmlX* doc) : CElement(doc, TAG_LISTING, EF_FONT | EF_PARAGRAPH) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FPreformatted : public CElement
{
public:
    explicit FPreformatted(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;

    int m_nWidth; // stored only
};

class KORHTML_API FSample : public CElement
{
public:
    explicit FSample(CHtmlX* doc) : CElement(doc, TAG_SAMP, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FSmall : public CElement
{
public:
    explicit FSmall(CHtmlX* doc) : CElement(doc, TAG_SMALL, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FStrike : public CElement
{
public:
    explicit FStrike(CHtmlX* doc) : CElement(doc, TAG_STRIKE, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FStrong : public CElement
{
public:
    explicit FStrong(CHtmlX* doc) : CElement(doc, TAG_STRONG, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

// SUB and SUP carry the font flag but leave the text as it is.
class KORHTML_API FSubscript : public CElement
{
public:
    explicit FSubscript(CHtmlX* doc) : CElement(doc, TAG_SUB, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FSuperscript : public CElement
{
public:
    explicit FSuperscript(CHtmlX* doc) : CElement(doc, TAG_SUP, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FTeletype : public CElement
{
public:
    explicit FTeletype(CHtmlX* doc) : CElement(doc, TAG_TT, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FUnderline : public CElement
{
public:
    explicit FUnderline(CHtmlX* doc) : CElement(doc, TAG_U, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FVariable : public CElement
{
public:
    explicit FVariable(CHtmlX* doc) : CElement(doc, TAG_VAR, EF_FONT) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

class KORHTML_API FExample : public CElement
{
public:
    explicit FExample(CHtmlX* doc) : CElement(doc, TAG_XMP, EF_FONT | EF_PARAGRAPH) {}
    void ApplyFont(LOGFONT* lf, COLORREF* color) override;
};

// ---- Block and list containers ----

class KORHTML_API FBlockQuote : public CElement
{
public:
    explicit FBlockQuote(CHtmlX* doc) : CElement(doc, TAG_BLOCKQUOTE, EF_PARAGRAPH) {}
};

// CENTER centres its content whatever is inside or around it (up to the layout context).
class KORHTML_API FCenter : public CElement
{
public:
    explicit FCenter(CHtmlX* doc) : CElement(doc, TAG_CENTER, EF_PARAGRAPH | EF_ALIGN) {}
    int GetAlign() override;
};

class KORHTML_API FDefinitionData : public CElement
{
public:
    explicit FDefinitionData(CHtmlX* doc) : CElement(doc, TAG_DD, EF_LINEBREAK) {}
};

class KORHTML_API FDirectory : public CElement
{
public:
    explicit FDirectory(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    int m_bCompact;
};

class KORHTML_API FDivision : public CElement
{
public:
    explicit FDivision(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    int GetAlign() override;

    int m_nAlign;
};

class KORHTML_API FDefinitionList : public CElement
{
public:
    explicit FDefinitionList(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    int m_bCompact;
};

class KORHTML_API FDefinitionTerm : public CElement
{
public:
    explicit FDefinitionTerm(CHtmlX* doc) : CElement(doc, TAG_DT, EF_LINEBREAK) {}
};

class KORHTML_API FMenu : public CElement
{
public:
    explicit FMenu(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    int m_bCompact;
};

// OL and UL: the type and start values are kept for the list items.
class KORHTML_API FOrderedList : public CElement
{
public:
    explicit FOrderedList(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    int m_bCompact;
    int m_nStart;
    int m_nType;
};

class KORHTML_API FParagraph : public CElement
{
public:
    explicit FParagraph(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);
    int GetAlign() override;

    int m_nAlign;
};

class KORHTML_API FUnorderedList : public CElement
{
public:
    explicit FUnorderedList(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    int m_bCompact;
    int m_nType;
};

// ---- Elements that only hold attribute values ----

// APPLET: applets are not run.
class KORHTML_API FApplet : public CElement
{
public:
    explicit FApplet(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    int m_nAlign;
    CString m_strAlt;
    CString m_strCode;
    CString m_strCodeBase;
    int m_nHeight;
    int m_nHSpace;
    CString m_strName;
    int m_nVSpace;
    int m_nWidth;
};

class KORHTML_API FBase : public CElement
{
public:
    explicit FBase(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    CString m_strHref;
};

class KORHTML_API FBlink : public CElement
{
public:
    explicit FBlink(CHtmlX* doc) : CElement(doc, TAG_BLINK, 0) {}
};

// COMMENT, and every tag the tag database does not list (then the comment is the tag name).
class KORHTML_API FComment : public CElement
{
public:
    explicit FComment(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    CString m_strComment;
};

class KORHTML_API FDefinition : public CElement
{
public:
    explicit FDefinition(CHtmlX* doc) : CElement(doc, TAG_DFN, 0) {}
};

class KORHTML_API FHead : public CElement
{
public:
    explicit FHead(CHtmlX* doc) : CElement(doc, TAG_HEAD, 0) {}
};

class KORHTML_API FHtml : public CElement
{
public:
    explicit FHtml(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    CString m_strVersion;
};

class KORHTML_API FIsIndex : public CElement
{
public:
    explicit FIsIndex(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    CString m_strPrompt;
};

class KORHTML_API FLink : public CElement
{
public:
    explicit FLink(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    CString m_strHref;
    CString m_strId;
    CString m_strRel;
    CString m_strRev;
    CString m_strTitle;
};

class KORHTML_API FMeta : public CElement
{
public:
    explicit FMeta(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    CString m_strContent;
    CString m_strHttpEquiv;
    CString m_strName;
};

class KORHTML_API FParam : public CElement
{
public:
    explicit FParam(CHtmlX* doc);
    void ReadAttributes(const CAttrReader& a);

    CString m_strName;
    CString m_strValue;
};

// SCRIPT: scripts are not run.
class KORHTML_API FScript : public CElement
{
public:
    explicit FScript(CHtmlX* doc) : CElement(doc, TAG_SCRIPT, 0) {}
};

class KORHTML_API FStyle : public CElement
{
public:
    explicit FStyle(CHtmlX* doc) : CElement(doc, TAG_STYLE, 0) {}
};

class KORHTML_API FTitle : public CElement
{
public:
    explicit FTitle(CHtmlX* doc) : CElement(doc, TAG_TITLE, 0) {}

    // The raw text of the first text run inside and of the text runs that follow it as siblings;
    // the text for "untitled" when there is no text run.
    CString GetTitleText();
};
