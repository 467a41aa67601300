// The Kor* utility functions: arithmetic helpers, file reading, path handling and font families.
#include "korlib/korlib.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

int KorMin(int a, int b)
{
    return a < b ? a : b;
}

int KorMax(int a, int b)
{
    return a > b ? a : b;
}

void KorClipValue(int& value, int low, int high)
{
    if (value > high)
        value = high;
    if (value < low)
        value = low;
}

BOOL KorFileExist(const CString& path)
{
    if (path.IsEmpty())
        return FALSE;
    struct stat st;
    if (stat(path.GetString(), &st) != 0)
        return FALSE;
    return S_ISDIR(st.st_mode) ? FALSE : TRUE;
}

namespace {

// Reads the whole file; false when it cannot be opened or read.
bool ReadBytes(const CString& path, std::string& out)
{
    out.clear();
    if (path.IsEmpty())
        return false;
    FILE* f = fopen(path.GetString(), "rb");
    if (!f)
        return false;
    // A regular file is read in one allocation of its size; what else comes (a file that grew, or
    // a pipe) is appended.
    struct stat st;
    if (fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        out.resize(size_t(st.st_size));
        out.resize(fread(out.data(), 1, out.size(), f));
    }
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

bool IsSep(char c)
{
    return c == '/' || c == '\\';
}

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char a = s[i], b = prefix[i];
        if (a >= 'A' && a <= 'Z')
            a = char(a - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

bool IsRemote(std::string_view s)
{
    static const char* const schemes[] = {
        "http:", "https:", "ftp:", "gopher:", "news:", "nntp:", "mailto:", "telnet:", "wais:", "//"};
    for (const char* scheme : schemes)
        if (StartsWithNoCase(s, scheme))
            return true;
    return false;
}

bool HasDrive(std::string_view s)
{
    return s.size() >= 2 && IsAsciiLetter(s[0]) && s[1] == ':';
}

// Takes off a leading "file:", and "//" with it when a third "/" follows.
std::string_view StripFileScheme(std::string_view s)
{
    if (!StartsWithNoCase(s, "file:"))
        return s;
    s.remove_prefix(5);
    if (s.size() >= 3 && s[0] == '/' && s[1] == '/' && s[2] == '/')
        s.remove_prefix(2);
    return s;
}

// Index of the first byte of the file name (just after the last separator).
size_t NameStart(std::string_view s)
{
    size_t i = s.size();
    while (i > 0 && !IsSep(s[i - 1]))
        --i;
    return i;
}

// Length of the part a ".." may never climb out of: the scheme and host of a network address,
// a drive with its separator, or the leading separators of an absolute path.
size_t RootLength(std::string_view s)
{
    size_t i = 0;
    if (IsRemote(s)) {
        size_t colon = s.find(':');
        if (StartsWithNoCase(s, "//"))
            i = 0;
        else
            i = colon + 1;
        if (i + 1 < s.size() && IsSep(s[i]) && IsSep(s[i + 1])) {
            i += 2;
            while (i < s.size() && !IsSep(s[i]))
                ++i;
            if (i < s.size())
                ++i;
        }
        return i;
    }
    if (HasDrive(s))
        i = 2;
    while (i < s.size() && IsSep(s[i]))
        ++i;
    return i;
}

// Drops "." segments and lets each ".." take away the segment before it. A ".." with nothing before
// it is kept in a relative path and dropped under a root. Separators stay as written; everything from
// the first "?" or "#" on belongs to the last name and is left alone.
std::string Normalise(std::string_view s)
{
    size_t root = RootLength(s);
    std::string_view rest = s.substr(root);
    size_t tailAt = rest.find_first_of("?#");
    std::string_view tail = tailAt == std::string_view::npos ? std::string_view() : rest.substr(tailAt);
    std::string_view body = tailAt == std::string_view::npos ? rest : rest.substr(0, tailAt);

    // Each segment is kept together with the separator that ends it (none for the last one).
    struct Segment
    {
        std::string_view name;
        std::string_view sep;
    };
    std::vector<Segment> segs;
    size_t pos = 0;
    while (pos <= body.size()) {
        size_t end = pos;
        while (end < body.size() && !IsSep(body[end]))
            ++end;
        Segment seg{body.substr(pos, end - pos),
                    end < body.size() ? body.substr(end, 1) : std::string_view()};
        bool last = end >= body.size();
        // The tail is glued to the last name, which then is neither "." nor "..".
        bool plain = !(last && !tail.empty());
        if (plain && seg.name == ".") {
            // dropped
        } else if (plain && seg.name == "..") {
            if (!segs.empty() && segs.back().name != "..")
                segs.pop_back();
            else if (root == 0)
                segs.push_back(seg);
        } else {
            segs.push_back(seg);
        }
        if (last)
            break;
        pos = end + 1;
    }

    std::string out(s.substr(0, root));
    for (const Segment& seg : segs) {
        out.append(seg.name);
        out.append(seg.sep);
    }
    out.append(tail);
    return out;
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

struct FaceFamily
{
    const char* face;
    BYTE pitchAndFamily;
};

// The faces the system knows, with the byte that describes each (Korean names in CP949).
const FaceFamily kFaces[] = {
    {"\xB1\xBC\xB8\xB2", FF_MODERN | VARIABLE_PITCH},         // Gulim
    {"\xB1\xBC\xB8\xB2\xC3\xBC", FF_MODERN | FIXED_PITCH},    // GulimChe
    {"\xBB\xF5\xB1\xBC\xB8\xB2", FF_MODERN | VARIABLE_PITCH}, // New Gulim
    {"\xB5\xB8\xBF\xF2", FF_MODERN | VARIABLE_PITCH},         // Dotum
    {"\xB5\xB8\xBF\xF2\xC3\xBC", FF_MODERN | FIXED_PITCH},    // DotumChe
    {"\xB9\xD9\xC5\xC1", FF_ROMAN | VARIABLE_PITCH},          // Batang
    {"\xB9\xD9\xC5\xC1\xC3\xBC", FF_ROMAN | FIXED_PITCH},     // BatangChe
    {"\xB1\xC3\xBC\xAD", FF_SCRIPT | VARIABLE_PITCH},         // Gungsuh
    {"\xB1\xC3\xBC\xAD\xC3\xBC", FF_SCRIPT | FIXED_PITCH},    // GungsuhChe
    {"System", FF_SWISS | VARIABLE_PITCH},
    {"Times New Roman", FF_ROMAN | VARIABLE_PITCH},
    {"Times", FF_ROMAN | VARIABLE_PITCH},
    {"Arial", FF_SWISS | VARIABLE_PITCH},
    {"Helvetica", FF_SWISS | VARIABLE_PITCH},
    {"Courier New", FF_MODERN | FIXED_PITCH},
    {"Courier", FF_MODERN | FIXED_PITCH},
};

} // namespace

CString KorReadFile(const CString& path)
{
    std::string bytes;
    if (!ReadBytes(path, bytes))
        return CString(" ");
    return CString(std::move(bytes));
}

CString KorReadTextFile(const CString& path)
{
    std::string bytes;
    if (!ReadBytes(path, bytes))
        return CString(" ");
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\r':
            // Text mode: a line end written as CR LF reads as LF.
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                break;
            out += c;
            break;
        default:
            out += c;
        }
    }
    return CString(std::move(out));
}

CString KorGetAbsolutePath(const CString& base, const CString& rel)
{
    std::string_view r = StripFileScheme(rel.view());
    if (IsRemote(r) || (!r.empty() && IsSep(r[0])) || HasDrive(r))
        return CString(r);
    std::string_view b = StripFileScheme(base.view());
    std::string joined(b.substr(0, NameStart(b)));
    joined.append(r);
    return CString(Normalise(joined));
}

CString KorGetFilePath(const CString& path)
{
    std::string_view s = path.view();
    return CString(s.substr(0, NameStart(s)));
}

CString KorGetFileName(const CString& path)
{
    std::string_view s = path.view();
    return CString(s.substr(NameStart(s)));
}

CString KorGetPureFileName(const CString& path)
{
    std::string_view name = path.view().substr(NameStart(path.view()));
    size_t dot = name.rfind('.');
    return CString(dot == std::string_view::npos ? name : name.substr(0, dot));
}

CString KorGetFileExt(const CString& path)
{
    std::string_view name = path.view().substr(NameStart(path.view()));
    size_t dot = name.rfind('.');
    return CString(dot == std::string_view::npos ? std::string_view() : name.substr(dot));
}

BOOL KorIsRemoteFile(const CString& path)
{
    return IsRemote(path.view()) ? TRUE : FALSE;
}

BYTE KorGetPitchAndFamily(const CString& face)
{
    std::string_view list = face.view();
    size_t nul = list.find('\0');
    if (nul != std::string_view::npos)
        list = list.substr(0, nul);
    while (true) {
        size_t comma = list.find(',');
        std::string one(Trimmed(list.substr(0, comma)));
        for (const FaceFamily& f : kFaces)
            if (CString(one).CompareNoCase(f.face) == 0)
                return f.pitchAndFamily;
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return FF_DONTCARE | DEFAULT_PITCH;
}
