// Shared start-up of the fuzz targets: a headless Qt application, the box font, the server, input splitting.
#pragma once

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "korhtml/HtmlSrvr.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

namespace fuzz {

// Starts the Qt application (offscreen, box font) once per process; withServer also creates the
// server, which then lives until the process ends, as a host's would.
inline void Start(bool withServer)
{
    static int argc = 1;
    static char name[] = "korhtml-fuzz";
    static char* argv[] = {name, nullptr};
    kor::PrepareHeadless();
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    kor::SetBoxFontMode(true);
    if (withServer && !ExistHtmlServer())
        CreateHtmlServer();
}

// Takes bytes from the front of the input for parameters; what is left is the page.
class Input
{
public:
    Input(const uint8_t* data, size_t size) : m_p(data), m_n(size) {}

    // The next byte, 0 when the input is used up.
    uint8_t Byte()
    {
        if (m_n == 0)
            return 0;
        --m_n;
        return *m_p++;
    }
    // A value from lo to hi from the next two bytes.
    int Range(int lo, int hi)
    {
        int v = Byte() | (Byte() << 8);
        return lo + v % (hi - lo + 1);
    }
    // The rest of the input as bytes.
    std::string Rest()
    {
        std::string s(reinterpret_cast<const char*>(m_p), m_n);
        m_p += m_n;
        m_n = 0;
        return s;
    }

private:
    const uint8_t* m_p;
    size_t m_n;
};

} // namespace fuzz
