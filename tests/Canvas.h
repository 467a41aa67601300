// Drawing helpers of the tests: the box font switched on for a scope, and a white bitmap to draw on.
#pragma once

#include "platform/gdi/gdi.h"

#include <QImage>
#include <string>

// Sets the box-font mode for its scope and puts the previous mode back when it ends.
class BoxFontMode
{
public:
    explicit BoxFontMode(bool on = true) : m_bOld(kor::IsBoxFontMode()) { kor::SetBoxFontMode(on); }
    ~BoxFontMode() { kor::SetBoxFontMode(m_bOld); }
    BoxFontMode(const BoxFontMode&) = delete;
    BoxFontMode& operator=(const BoxFontMode&) = delete;

private:
    bool m_bOld;
};

// A memory DC on a white bitmap of width x height, drawn with the box font; the DC's own bitmap is
// selected back when the canvas goes.
class Canvas
{
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    QImage& Image() { return *kor::BitmapImage(&bitmap); }
    // Paints the whole canvas white again.
    void Clear() { dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255)); }
    // The pixel as 0xRRGGBB.
    unsigned At(int x, int y) { return Image().pixel(x, y) & 0xFFFFFF; }
    // One letter per pixel: X red, . white, g green, b blue, k black, ? anything else.
    std::string Row(int y, int x0, int x1);
    std::string Column(int x, int y0, int y1);
    // The rows y0 to y1 - 1 of the columns x0 to x1 - 1, each ended by '|'.
    std::string Rows(int y0, int y1, int x0, int x1);
    // The pixels that are not white in [x0, x1) x [y0, y1), or in the whole canvas.
    int Ink(int x0, int y0, int x1, int y1);
    int Ink() { return Ink(0, 0, width, height); }

private:
    BoxFontMode m_box; // before the DC: its stock font is made in the mode

public:
    const int width, height;
    CDC dc;
    CBitmap bitmap;

private:
    CBitmap* m_pOld;
};
