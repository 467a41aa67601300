// The test canvas: a white bitmap in a memory DC and readers of its pixels.
#include "Canvas.h"

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
    std::string s;
    for (int x = x0; x < x1; ++x) {
        switch (At(x, y)) {
        case 0xFF0000:
            s += 'X';
            break;
        case 0xFFFFFF:
            s += '.';
            break;
        case 0x00FF00:
            s += 'g';
            break;
        case 0x0000FF:
            s += 'b';
            break;
        case 0x000000:
            s += 'k';
            break;
        default:
            s += '?';
        }
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

int Canvas::Ink(int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += At(x, y) != 0xFFFFFF;
    return n;
}
