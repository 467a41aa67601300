// html2text: prints an HTML page (CP949) as plain text, wrapped and cut as asked, through HtmlFile2Text.
#include <korhtml/Html2Text.h>

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kUsage[] = "usage: html2text [--width N] [--lines N] [--trim] [--images] [--utf8] FILE\n"
                      "  --width N   wrap at N characters (80; -1 for no limit)\n"
                      "  --lines N   stop after N lines (-1, the default, for no limit)\n"
                      "  --trim      leave out the headline and the breaks before the first words\n"
                      "  --images    print the images the page shows, one a line, after the text\n"
                      "  --utf8      write UTF-8 instead of the page's own code page (CP949)\n";

bool ParseInt(const char* text, int& value)
{
    char* end = nullptr;
    errno = 0;
    long n = std::strtol(text, &end, 10);
    if (errno || end == text || *end || n < -1 || n > 65535)
        return false;
    value = int(n);
    return true;
}

// CP949 bytes as UTF-8. A byte that starts no character of the code page becomes U+FFFD and the byte
// after it is read on its own.
std::string ToUtf8(const std::string& cp949)
{
    iconv_t cd = iconv_open("UTF-8", "CP949");
    if (cd == iconv_t(-1))
        return cp949;
    std::string out;
    char buffer[4096];
    char* in = const_cast<char*>(cp949.data());
    size_t left = cp949.size();
    while (left > 0) {
        char* dst = buffer;
        size_t room = sizeof buffer;
        size_t r = iconv(cd, &in, &left, &dst, &room);
        out.append(buffer, size_t(dst - buffer));
        if (r == size_t(-1) && errno != E2BIG) {
            out += "\xEF\xBF\xBD";
            ++in;
            --left;
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    int width = 80, lines = -1, trim = 0;
    bool images = false, utf8 = false;
    const char* file = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--width" || arg == "--lines") && i + 1 < argc) {
            if (!ParseInt(argv[++i], arg == "--width" ? width : lines)) {
                std::fprintf(stderr, "html2text: %s wants a number from -1 to 65535\n%s", arg.c_str(),
                             kUsage);
                return 2;
            }
        } else if (arg == "--trim") {
            trim = 1;
        } else if (arg == "--images") {
            images = true;
        } else if (arg == "--utf8") {
            utf8 = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (!file && arg.rfind("--", 0) != 0) {
            file = argv[i];
        } else {
            std::fprintf(stderr, "html2text: unexpected argument %s\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (!file) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // The conversion reports no errors: an unreadable file is told apart here.
    if (FILE* f = std::fopen(file, "rb"))
        std::fclose(f);
    else {
        std::fprintf(stderr, "html2text: cannot read %s: %s\n", file, std::strerror(errno));
        return 1;
    }

    // HtmlFile2Text starts the library's server itself when none runs, and stops it again.
    CStringList list;
    std::string out = HtmlFile2Text(CString(file), width, lines, trim, list).str();
    if (images) {
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            out += list.GetNext(pos).str();
            out += "\r\n";
        }
    }
    if (utf8)
        out = ToUtf8(out);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::ferror(stdout) ? 1 : 0;
}
