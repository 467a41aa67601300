// CP949 <-> Unicode conversion through tables built once from glibc's iconv.
#include "platform/gdi/codepage.h"

#include <QString>

#include <iconv.h>

#include <cstring>
#include <vector>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsTrailByte(unsigned char c)
{
    return (c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A) || (c >= 0x81 && c <= 0xFE);
}

// Both directions of the two-byte part of the code page. forward[(lead - 0x81) * 256 + trail] is the
// Unicode character of a pair (0 where the pair is undefined); backward[u] is lead << 8 | trail.
struct Tables
{
    std::vector<char16_t> forward;
    std::vector<uint16_t> backward;

    Tables() : forward(size_t(0x7E) * 256, 0), backward(0x10000, 0)
    {
        iconv_t cd = iconv_open("UTF-16LE", "CP949");
        if (cd == iconv_t(-1))
            return;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x41; trail <= 0xFE; ++trail) {
                if (!IsTrailByte(static_cast<unsigned char>(trail)))
                    continue;
                char in[2] = {char(lead), char(trail)};
                unsigned char out[8];
                char* pin = in;
                char* pout = reinterpret_cast<char*>(out);
                size_t nin = 2, nout = sizeof(out);
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                if (iconv(cd, &pin, &nin, &pout, &nout) == size_t(-1) || nin != 0 || sizeof(out) - nout != 2)
                    continue;
                char16_t u = char16_t(out[0] | (out[1] << 8));
                if (u == 0 || u == kReplacement)
                    continue;
                forward[size_t(lead - 0x81) * 256 + size_t(trail)] = u;
                if (u >= 0x80 && backward[u] == 0)
                    backward[u] = uint16_t(lead << 8 | trail);
            }
        }
        iconv_close(cd);
    }
};

const Tables& GetTables()
{
    static const Tables tables;
    return tables;
}

} // namespace

namespace kor {

QString ToUnicode(const char* psz, int nCount)
{
    if (!psz)
        return QString();
    size_t n = nCount < 0 ? strlen(psz) : size_t(nCount);
    const unsigned char* s = reinterpret_cast<const unsigned char*>(psz);
    QString out;
    out.reserve(qsizetype(n));
    const Tables* tables = nullptr;
    for (size_t i = 0; i < n; ++i) {
        unsigned char c = s[i];
        if (c < 0x80) {
            out.append(QChar(char16_t(c)));
        } else if (c == 0x80 || c == 0xFF) {
            out.append(QChar(kReplacement));
        } else if (i + 1 >= n || !IsTrailByte(s[i + 1])) {
            out.append(QChar(kReplacement));
        } else {
            if (!tables)
                tables = &GetTables();
            char16_t u = tables->forward[size_t(c - 0x81) * 256 + s[i + 1]];
            out.append(QChar(u ? u : kReplacement));
            ++i;
        }
    }
    return out;
}

QString ToUnicode(const CString& str)
{
    return ToUnicode(str.GetString(), str.GetLength());
}

CString FromUnicode(const QString& str)
{
    std::string out;
    out.reserve(size_t(str.size()));
    const Tables* tables = nullptr;
    for (qsizetype i = 0; i < str.size(); ++i) {
        char16_t u = str.at(i).unicode();
        if (u < 0x80) {
            out += char(u);
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < str.size() &&
            QChar::isLowSurrogate(str.at(i + 1).unicode())) {
            out += '?'; // outside the BMP: the code page has none of these
            ++i;
            continue;
        }
        if (!tables)
            tables = &GetTables();
        uint16_t code = tables->backward[u];
        if (code) {
            out += char(code >> 8);
            out += char(code & 0xFF);
        } else {
            out += '?';
        }
    }
    return CString(std::move(out));
}

bool IsCP949Convertible(const QString& str)
{
    const Tables& tables = GetTables();
    for (qsizetype i = 0; i < str.size(); ++i) {
        char16_t u = str.at(i).unicode();
        if (u >= 0x80 && !tables.backward[u])
            return false;
    }
    return true;
}

} // namespace kor
