// Html2Text and HtmlFile2Text: parse, transform, trim the leading matter and write the words as text.
#include "korhtml/Html2Text.h"

#include "elements/MeasurePass.h"
#include "korhtml/Element.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/ImageElement.h"
#include "korhtml/TextElement.h"
#include "korlib/korlib.h"
#include "kortag/kortag.h"
#include "transform/Transformer.h"

#include <string>

namespace {

const int kUnlimited = 65535;
const int kMaxRule = 80;

// Removes the headline and the breaks in front of the first words. False when the body has no text.
bool TrimLeadingMatter(CElement* body)
{
    CElement* text = body->FindNextByKind(KIND_TEXT, FALSE, nullptr);
    if (!text)
        return false;

    // The font wrapper of the first words (a headline) goes, unless it holds the only text. The body
    // is a font element itself and is never taken for the wrapper.
    CElement* wrapper = text->FindAncestorByFlags(EF_FONT, FALSE, body);
    if (wrapper && !body->IsDescendantOf(wrapper)) {
        wrapper->Remove();
        if (body->FindDescendantByKind(KIND_TEXT, FALSE, nullptr)) {
            delete wrapper; // with its subtree
        } else {
            body->AddFirstChild(wrapper);
        }
        text = body->FindNextByKind(KIND_TEXT, FALSE, nullptr);
        if (!text)
            return false;
    }

    // Every line or paragraph element before the first words: one that holds them is dissolved so
    // that its content stays, any other goes with its content.
    const DWORD breaks = EF_LINEBREAK | EF_PARAGRAPH;
    CElement* e = text->FindPrevByFlags(breaks, FALSE, body);
    while (e) {
        // The element before e in document order lies outside e's subtree, so it survives e.
        CElement* prev = e->FindPrevByFlags(breaks, FALSE, body);
        if (text->IsDescendantOf(e)) {
            if (e->Collapse())
                delete e;
        } else {
            e->Remove();
            delete e;
        }
        e = prev;
    }
    return true;
}

// The measure pass without measuring: break bits, alignment and list levels, and the decoded text.
void SetStaticData(CElement* body)
{
    // The elements' searches go through this pass while it runs.
    CMeasurePass pass;
    for (CVisible* v = body->GetNextVisible(FALSE, nullptr); v; v = v->GetNextVisible(FALSE, nullptr)) {
        if (v->m_nKind == KIND_TEXT)
            static_cast<FText*>(v)->DecodeEntities();
        if (v->m_nKind == TAG_TABLE || v->m_nKind == TAG_IMG)
            continue;
        v->ComputeBreaks();
        v->InheritAlign();
        v->ComputeListLevel();
    }
}

// The output walk: words wrapped at a width, cut after a number of lines.
class CTextWriter
{
public:
    CTextWriter(int width, int maxLines, BOOL trim) : m_nWidth(width), m_nMaxLines(maxLines), m_bTrim(trim) {}

    // Writes one element; false when the line limit ends the walk.
    bool Write(CVisible* v, CStringList& images);
    const std::string& Output() const { return m_out; }

private:
    // A line end; true when it reaches the line limit.
    bool NewLine()
    {
        m_out += "\r\n";
        m_nColumn = 0;
        return ++m_nLines >= m_nMaxLines;
    }
    bool WriteWord(const CString& word);
    bool WritePre(CString text);

    std::string m_out;
    int m_nWidth;
    int m_nMaxLines;
    BOOL m_bTrim;
    int m_nColumn = 0;
    int m_nLines = 0;
};

bool CTextWriter::Write(CVisible* v, CStringList& images)
{
    const int kind = v->m_nKind;
    if (kind == TAG_IMG)
        images.AddTail(static_cast<FImage*>(v)->m_strSrc);
    if (kind != KIND_TEXT && kind != TAG_HR && kind != TAG_LI)
        return true;

    if (v->m_nBreak & BRK_LINE) {
        if (NewLine())
            return false;
    } else if (v->m_nBreak & BRK_PARA) {
        m_out += "\r\n\r\n";
        m_nColumn = 0;
        m_nLines += 2;
        if (m_nLines >= m_nMaxLines)
            return false;
    }
    if (m_nColumn == 0) {
        for (int i = 0; i < v->m_nListLevel; ++i) {
            m_out += "    ";
            m_nColumn += 4;
        }
    }
    if (kind == TAG_LI) {
        m_out += "* ";
        m_nColumn += 2;
    } else if (kind == TAG_HR) {
        if (NewLine())
            return false;
        int n = KorMax(KorMin(m_nWidth, kMaxRule), 0);
        m_out.append(size_t(n), '-');
        m_nColumn += n;
    } else {
        FText* text = static_cast<FText*>(v);
        if (text->IsPre())
            return WritePre(text->m_strText);
        else
            return WriteWord(text->m_strText);
    }
    return true;
}

bool CTextWriter::WriteWord(const CString& word)
{
    const int len = word.GetLength();
    if (m_nColumn + len > m_nWidth && NewLine())
        return false;
    m_out.append(word.str());
    m_nColumn += len;
    return true;
}

// Preformatted text keeps its lines; two-byte characters stay whole, tabs become four blanks. When
// a line end inside reaches the line limit, the rest of this text is dropped but the walk goes on;
// the next line end after that (in this text or a later one) ends the walk (false).
bool CTextWriter::WritePre(CString text)
{
    if (m_bTrim) {
        text.TrimLeft();
        text.TrimRight();
    }
    const std::string& s = text.str();
    const size_t n = s.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char c = (unsigned char)s[i];
        if (c >= 0x80 && i + 1 < n) {
            m_out += s[i];
            m_out += s[++i];
            m_nColumn += 2;
        } else if (c == '\t') {
            m_out += "    ";
            m_nColumn += 4;
        } else if (c == '\n') {
            if (NewLine())
                return m_nLines == m_nMaxLines;
        } else if (c != '\r') {
            m_out += char(c);
            m_nColumn += 1;
        }
        if (m_nColumn >= m_nWidth && NewLine())
            return m_nLines == m_nMaxLines;
    }
    return true;
}

CString Convert(const CString& html, int width, int maxLines, int trim, CStringList& images)
{
    images.RemoveAll();
    if (width == -1)
        width = kUnlimited;
    if (maxLines == -1)
        maxLines = kUnlimited;

    const bool ownServer = !ExistHtmlServer();
    if (ownServer)
        CreateHtmlServer();

    std::string out;
    CSGMLParser* parser = GetSGMLParser();
    CHTMLDB* db = GetHtmlDB();
    CTransformer* transformer = GetTransformer();
    if (parser && db && transformer) {
        parser->SetSource(html);
        CTagNode* tags = parser->Parse(db);
        CElement* root = nullptr;
        if (tags) {
            transformer->SetDocument(nullptr);
            root = transformer->Transform(tags);
        }
        CElement* body = root ? root->FindDescendantByKind(TAG_BODY, FALSE, nullptr) : nullptr;
        if (body && (!trim || TrimLeadingMatter(body))) {
            SetStaticData(body);
            CTextWriter writer(width, maxLines, trim);
            for (CVisible* v = body->GetNextVisible(FALSE, nullptr); v; v = v->GetNextVisible(FALSE, nullptr))
                if (!writer.Write(v, images) || writer.Output().size() >= size_t(KOR_MAX_TEXT))
                    break;
            out = writer.Output();
            if (out.size() > size_t(KOR_MAX_TEXT))
                out.resize(KOR_MAX_TEXT);
        }
        if (tags) {
            tags->DeleteChildren();
            delete tags;
        }
        if (root) {
            root->DeleteChildren();
            delete root;
        }
    }

    if (ownServer)
        DestroyHtmlServer();
    return CString(out.data(), int(out.size()));
}

CString ConvertFile(const CString& path, int width, int maxLines, int trim, CStringList& images)
{
    CString html = KorReadFile(path);
    if (html.GetLength() == 1 && html[0] == ' ') {
        images.RemoveAll();
        return CString();
    }
    return Convert(html, width, maxLines, trim, images);
}

} // namespace

CString Html2Text(const CString& html, int width, int maxLines, int trim)
{
    CStringList images;
    return Convert(html, width, maxLines, trim, images);
}

CString Html2Text(const CString& html, int width, int maxLines, int trim, CStringList& images)
{
    return Convert(html, width, maxLines, trim, images);
}

CString HtmlFile2Text(const CString& path, int width, int maxLines, int trim)
{
    CStringList images;
    return ConvertFile(path, width, maxLines, trim, images);
}

CString HtmlFile2Text(const CString& path, int width, int maxLines, int trim, CStringList& images)
{
    return ConvertFile(path, width, maxLines, trim, images);
}
