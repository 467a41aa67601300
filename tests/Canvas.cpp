// The test canvas: a white bitmap in a memory DC and readers of its pixels.
#include "Canvas.h"

#include <map>

Canvas::Canvas(int w, int h) : width(w), height(h)
{
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    m_pOld = dc.SelectObject(&bitmap);
    Clear();
}

Canvas::~Canvas()
{
    dc.SelectObject(m_pOld);
}

std::string Canvas::Row(int y, int x0, int x1)
{
    static const std::map<unsigned, char> letters = {
        {0xFF0000, 'X'}, {0xFFFFFF, '.'}, {0x00FF00, 'g'}, {0x0000FF, 'b'}, {0x000000, 'k'}};
    std::string s;
    for (int x = x0; x < x1; ++x) {
        auto it = letters.find(At(x, y));
        s += it == letters.end() ? '?' : it->second;
    }
    return s;
}

std::string Canvas::Column(int x, int y0, int y1)
{
    std::string s;
    for (int y = y0; y < y1; ++y)
        s += Row(y, x, x + 1);
    return s;
}

std::string Canvas::Rows(int y0, int y1, int x0, int x1)
{
    std::string s;
    for (int y = y0; y < y1; ++y)
        s += Row(y, x0, x1) + "|";
    return s;
}

int Canvas::Ink(int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += At(x, y) != 0xFFFFFF;
    return n;
}
