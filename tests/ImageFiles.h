// Picture files for tests of image elements: solid and two-coloured PNGs, and a page's stand-in images.
#pragma once

#include "TempDir.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <string>

namespace testimg {

// Saves the picture as a PNG named name in dir; the path, empty when it could not be written.
inline std::string SavePng(const TempDir& dir, const char* name, const QImage& picture)
{
    std::string path = dir.File(name);
    return picture.save(QString::fromStdString(path), "PNG") ? path : std::string();
}

// A w x h PNG of one colour (alpha kept, so a transparent colour makes a transparent picture).
inline std::string SolidPng(const TempDir& dir, const char* name, int w, int h, QColor colour)
{
    QImage picture(w, h, QImage::Format_ARGB32);
    picture.fill(colour);
    return SavePng(dir, name, picture);
}

// A w x h PNG whose left half is one colour and right half another.
inline std::string HalvesPng(const TempDir& dir, const char* name, int w, int h, QColor left, QColor right)
{
    QImage picture(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture.setPixelColor(x, y, x < w / 2 ? left : right);
    return SavePng(dir, name, picture);
}

} // namespace testimg
