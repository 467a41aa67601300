// CString operations that are not inline: searches, case mapping, trimming, formatting, buffers.
#include "platform/afx/afxstr.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// Applies f to every byte that is not the trail byte of a two-byte character.
template <class F> void MapSingleBytes(std::string& s, F f)
{
    for (size_t i = 0; i < s.size(); ++i) {
        if (kor::IsLeadByte((unsigned char)s[i]) && i + 1 < s.size()) {
            ++i;
            continue;
        }
        s[i] = f(s[i]);
    }
}

} // namespace

int CString::Compare(const char* psz) const
{
    return std::strcmp(m_str.c_str(), psz ? psz : "");
}

int CString::CompareNoCase(const char* psz) const
{
    // Lower-cases both sides the CP949 way, then compares byte-wise up to the first NUL.
    CString a(m_str.c_str());
    CString b(psz ? psz : "");
    a.MakeLower();
    b.MakeLower();
    return std::strcmp(a.m_str.c_str(), b.m_str.c_str());
}

CString CString::Left(int n) const
{
    if (n <= 0)
        return CString();
    return CString(m_str.substr(0, size_t(n)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int n) const
{
    if (first < 0)
        first = 0;
    if (n < 0 || first >= GetLength())
        return CString();
    return CString(m_str.substr(size_t(first), size_t(n)));
}

CString CString::Right(int n) const
{
    if (n <= 0)
        return CString();
    if (n >= GetLength())
        return *this;
    return CString(m_str.substr(m_str.size() - size_t(n)));
}

CString CString::SpanIncluding(const char* set) const
{
    const char* p = m_str.c_str();
    return Left(int(std::strspn(p, set)));
}

CString CString::SpanExcluding(const char* set) const
{
    const char* p = m_str.c_str();
    return Left(int(std::strcspn(p, set)));
}

int CString::Find(char ch, int start) const
{
    if (start < 0)
        start = 0;
    if (start >= GetLength())
        return -1;
    size_t pos = m_str.find(ch, size_t(start));
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub)
        return -1;
    if (start < 0)
        start = 0;
    // Like the framework's, the search sees the text only up to its first NUL.
    std::string_view text(m_str.c_str());
    if (size_t(start) > text.size())
        return -1;
    size_t pos = text.find(sub, size_t(start));
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::ReverseFind(char ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::FindOneOf(const char* set) const
{
    if (!set || !*set)
        return -1;
    size_t pos = m_str.find_first_of(set);
    return pos == std::string::npos ? -1 : int(pos);
}

void CString::MakeUpper()
{
    MapSingleBytes(m_str, AsciiUpper);
}

void CString::MakeLower()
{
    MapSingleBytes(m_str, AsciiLower);
}

void CString::MakeReverse()
{
    std::string r(m_str.rbegin(), m_str.rend());
    m_str.swap(r);
}

void CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_str.size() && IsSpace(m_str[i]))
        ++i;
    m_str.erase(0, i);
}

void CString::TrimLeft(char ch)
{
    size_t i = 0;
    while (i < m_str.size() && m_str[i] == ch)
        ++i;
    m_str.erase(0, i);
}

void CString::TrimLeft(const char* set)
{
    size_t i = m_str.find_first_not_of(set ? set : "");
    m_str.erase(0, i == std::string::npos ? m_str.size() : i);
}

void CString::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && IsSpace(m_str[n - 1]))
        --n;
    m_str.resize(n);
}

void CString::TrimRight(char ch)
{
    size_t n = m_str.size();
    while (n > 0 && m_str[n - 1] == ch)
        --n;
    m_str.resize(n);
}

void CString::TrimRight(const char* set)
{
    size_t i = m_str.find_last_not_of(set ? set : "");
    m_str.resize(i == std::string::npos ? 0 : i + 1);
}

int CString::Replace(char from, char to)
{
    int n = 0;
    for (char& c : m_str)
        if (c == from) {
            c = to;
            ++n;
        }
    return n;
}

int CString::Replace(const char* from, const char* to)
{
    size_t fl = from ? std::strlen(from) : 0;
    if (fl == 0)
        return 0;
    std::string t = to ? to : "";
    std::string out;
    int n = 0;
    size_t pos = 0;
    for (;;) {
        size_t hit = m_str.find(from, pos, fl);
        if (hit == std::string::npos)
            break;
        out.append(m_str, pos, hit - pos);
        out += t;
        pos = hit + fl;
        ++n;
    }
    if (n) {
        out.append(m_str, pos, std::string::npos);
        m_str.swap(out);
    }
    return n;
}

int CString::Remove(char ch)
{
    size_t before = m_str.size();
    std::erase(m_str, ch);
    return int(before - m_str.size());
}

int CString::Insert(int index, char ch)
{
    if (index < 0)
        index = 0;
    if (index > GetLength())
        index = GetLength();
    m_str.insert(m_str.begin() + index, ch);
    return GetLength();
}

int CString::Insert(int index, const char* psz)
{
    if (index < 0)
        index = 0;
    if (index > GetLength())
        index = GetLength();
    m_str.insert(size_t(index), psz ? psz : "");
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    if (count > 0 && index < GetLength())
        m_str.erase(size_t(index), size_t(count));
    return GetLength();
}

void CString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = std::vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    if (n < 0) {
        m_str.clear();
    } else if (size_t(n) < sizeof small) {
        m_str.assign(small, size_t(n));
    } else {
        std::string buf(size_t(n) + 1, '\0');
        std::vsnprintf(buf.data(), buf.size(), fmt, copy);
        buf.resize(size_t(n));
        m_str.swap(buf);
    }
    va_end(copy);
}

char* CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(size_t(nMinBufLength));
    return m_str.data();
}

char* CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(nNewLength > 0 ? size_t(nNewLength) : 0);
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = int(std::strlen(m_str.c_str()));
    m_str.resize(size_t(nNewLength));
}
