// WriteText: the visible elements of a tree written as plain text, for the document's text and Html2Text.
#include "text/TextWalk.h"

#include "korhtml/ImageElement.h"
#include "korhtml/TextElement.h"
#include "korlib/korlib.h"

#include <string>

namespace {

const char kLineEnd[] = "\r\n";

// The walk's output, column and line count.
class CTextWriter
{
public:
    explicit CTextWriter(const TextPolicy& policy) : m_policy(policy) {}

    // Writes one element; false when the line limit ends the walk.
    bool Write(CVisible* v);
    std::string& Output() { return m_out; }

private:
    // A line end; true when it reaches the line limit.
    bool NewLine()
    {
        m_out += kLineEnd;
        m_nColumn = 0;
        return ++m_nLines >= m_policy.nMaxLines;
    }
    bool WriteRule();
    bool WriteWord(const CString& word);
    bool WritePre(CString text);

    const TextPolicy& m_policy;
    std::string m_out;
    int m_nColumn = 0;
    int m_nLines = 0;
};

bool CTextWriter::Write(CVisible* v)
{
    const int kind = v->m_nKind;
    if (kind == TAG_IMG && m_policy.pImages)
        m_policy.pImages->AddTail(static_cast<FImage*>(v)->m_strSrc);
    if (kind != KIND_TEXT && kind != TAG_HR && kind != TAG_LI)
        return true;

    if (v->m_nBreak & BRK_LINE) {
        if (NewLine())
            return false;
    } else if (v->m_nBreak & BRK_PARA) {
        m_out += kLineEnd;
        m_out += kLineEnd;
        m_nColumn = 0;
        m_nLines += 2;
        if (m_nLines >= m_policy.nMaxLines)
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
        return true;
    }
    if (kind == TAG_HR)
        return WriteRule();
    FText* text = static_cast<FText*>(v);
    if (!text->IsPre())
        return WriteWord(text->m_strText);
    if (m_policy.bCopyPre)
        return WritePre(text->m_strText);
    m_out += text->m_strText.str();
    return true;
}

bool CTextWriter::WriteRule()
{
    const int column = m_nColumn;
    if (NewLine())
        return false;
    if (m_policy.bRuleKeepsColumn)
        m_nColumn = column;
    const int n = KorMax(m_policy.nRuleLength, 0);
    m_out.append(size_t(n), '-');
    m_nColumn += n;
    return true;
}

bool CTextWriter::WriteWord(const CString& word)
{
    const int len = word.GetLength();
    if (m_nColumn + len > m_policy.nWidth && NewLine())
        return false;
    m_out.append(word.str());
    m_nColumn += len;
    return true;
}

// When a line end inside reaches the line limit, the rest of this text is dropped but the walk goes
// on; the next line end after that (in this text or a later one) ends the walk (false).
bool CTextWriter::WritePre(CString text)
{
    if (m_policy.bTrimPre) {
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
                return m_nLines == m_policy.nMaxLines;
        } else if (c != '\r') {
            m_out += char(c);
            m_nColumn += 1;
        }
        if (m_nColumn >= m_policy.nWidth && NewLine())
            return m_nLines == m_policy.nMaxLines;
    }
    return true;
}

} // namespace

CString WriteText(CVisible* first, const TextPolicy& policy)
{
    if (!first)
        return CString();
    CTextWriter writer(policy);
    std::string& out = writer.Output();
    for (CVisible* v = first; v; v = v->GetNextVisible(FALSE, nullptr))
        if (!writer.Write(v) || out.size() >= size_t(KOR_MAX_TEXT))
            break;
    if (policy.bFinalLineEnd)
        out += kLineEnd;
    if (out.size() > size_t(KOR_MAX_TEXT))
        out.resize(KOR_MAX_TEXT);
    return CString(out.data(), int(out.size()));
}
