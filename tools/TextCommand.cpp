// The text command: a file converted to plain text without a window, or the images it names.
#include "tools/Commands.h"

#include "korhtml/Html2Text.h"
#include "platform/gdi/codepage.h"

#include <QString>

#include <cstdio>

namespace kor {

std::string TextOutput(std::string bytes, const ToolOptions& options)
{
    if (options.Has("lf")) {
        std::string lf;
        lf.reserve(bytes.size());
        for (size_t i = 0; i < bytes.size(); ++i)
            if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
                lf += bytes[i];
        bytes.swap(lf);
    }
    if (options.Has("utf8")) {
        QByteArray utf8 = ToUnicode(bytes.data(), int(bytes.size())).toUtf8();
        bytes.assign(utf8.constData(), size_t(utf8.size()));
    }
    return bytes;
}

bool WriteOutput(const std::string& bytes)
{
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    return std::fflush(stdout) == 0 && written;
}

int RunText(const ToolOptions& options)
{
    // The conversion itself reports nothing: an unreadable file is told apart here.
    CheckReadable(options.file);
    const int width = options.IntValue("width", 80);
    const int lines = options.IntValue("lines", -1);
    const int trim = options.Has("trim") ? 1 : 0;

    ToolServer server(options);
    CStringList images;
    CString text = HtmlFile2Text(CString(options.file.c_str()), width, lines, trim, images);
    std::string out;
    if (options.Has("images")) {
        for (POSITION pos = images.GetHeadPosition(); pos;) {
            out += images.GetNext(pos).str();
            out += '\n';
        }
    } else {
        out = text.str();
    }
    return WriteOutput(TextOutput(out, options)) ? 0 : 1;
}

} // namespace kor
