// Shared fixture of the drawing-layer tests: the test canvas with red text, fonts made on demand.
#pragma once

#include "Canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF; // red lives in the low byte
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kBlack = 0x000000;

inline LOGFONT MakeLogFont(int height, const char* face = "System", bool underline = false,
                           bool strike = false)
{
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strike;
    lf.lfCharSet = HANGEUL_CHARSET;
    strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

class BoxDCTest : public ::testing::Test
{
protected:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 80;

    BoxDCTest() { dc.SetTextColor(kRed); }
    ~BoxDCTest() override { dc.SelectStockObject(SYSTEM_FONT); } // before the fonts go

    CFont* Font(int height, bool underline = false, bool strike = false, const char* face = "System")
    {
        LOGFONT lf = MakeLogFont(height, face, underline, strike);
        fonts.push_back(std::make_unique<CFont>());
        fonts.back()->CreateFontIndirect(&lf);
        return fonts.back().get();
    }
    QImage& Image() { return canvas.Image(); }
    std::string Row(int y, int x0, int x1) { return canvas.Row(y, x0, x1); }
    std::string Column(int x, int y0, int y1) { return canvas.Column(x, y0, y1); }
    std::string Rows(int y0, int y1, int x0, int x1) { return canvas.Rows(y0, y1, x0, x1); }
    int Ink() { return canvas.Ink(); }

    Canvas canvas{kWidth, kHeight};
    CDC& dc = canvas.dc;
    std::vector<std::unique_ptr<CFont>> fonts;
};
