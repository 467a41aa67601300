// Shared fixture of the drawing-layer tests: a box-font memory DC on a white bitmap, pixel readers.
#pragma once

#include "platform/gdi/gdi.h"

#include <QImage>
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

    void SetUp() override
    {
        kor::SetBoxFontMode(true);
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, kWidth, kHeight);
        oldBitmap = dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, kWidth, kHeight, kWhite);
        dc.SetTextColor(kRed);
    }
    void TearDown() override
    {
        dc.SelectObject(oldBitmap);
        dc.SelectStockObject(SYSTEM_FONT);
    }

    CFont* Font(int height, bool underline = false, bool strike = false)
    {
        LOGFONT lf = MakeLogFont(height, "System", underline, strike);
        fonts.push_back(std::make_unique<CFont>());
        fonts.back()->CreateFontIndirect(&lf);
        return fonts.back().get();
    }

    QImage& Image() { return *kor::BitmapImage(&bmp); }

    // One letter per pixel: X red, . white, g green, b blue, k black, ? anything else.
    std::string Row(int y, int x0, int x1)
    {
        std::string s;
        for (int x = x0; x < x1; ++x) {
            QRgb p = Image().pixel(x, y);
            switch (p & 0xFFFFFF) {
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
    std::string Column(int x, int y0, int y1)
    {
        std::string s;
        for (int y = y0; y < y1; ++y)
            s += Row(y, x, x + 1);
        return s;
    }
    // Number of pixels that are not white.
    int Ink()
    {
        int n = 0;
        for (int y = 0; y < Image().height(); ++y)
            for (int x = 0; x < Image().width(); ++x)
                n += (Image().pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        return n;
    }

    CDC dc;
    CBitmap bmp;
    CBitmap* oldBitmap = nullptr;
    std::vector<std::unique_ptr<CFont>> fonts;
};
