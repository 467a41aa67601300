// Document test helpers: a server with the box font, a hidden window with a document, rendering, lookups.
#pragma once

#include "Canvas.h"
#include "korhtml/Element.h"
#include "korhtml/HtmlX.h"

#include <gtest/gtest.h>

#include <QImage>
#include <span>
#include <string>
#include <vector>

class CWnd;
class FText;

// The visible elements of the document's body in GetNextVisible order.
std::vector<CVisible*> Visibles(CHtmlX* doc);
// The n-th text run whose raw text, without trailing blanks, is text; null when there is none.
FText* FindText(CHtmlX* doc, const std::string& text, int nth = 0);

// A hidden top-level window of width x height (no scroll bar: the whole window is the viewport)
// with a document on it. Needs a server (DocTest makes one). Typical use:
//     TestDoc t(300, 200);
//     t.OpenHtml("<p>Hello world");
//     t.Layout();                       // Layout(300, 200)
//     QImage img = t.Render();          // background + elements at scroll 0
//     CVisible* w = t.FindText("world");
class TestDoc
{
public:
    TestDoc(int width = 800, int height = 600);
    ~TestDoc();
    TestDoc(const TestDoc&) = delete;
    TestDoc& operator=(const TestDoc&) = delete;

    CHtmlX* Doc() const { return m_pDoc; }
    CHtmlX* operator->() const { return m_pDoc; }
    CWnd* Window() const { return m_pWnd; }

    // OpenString(html, componentPath); the document's result.
    int OpenHtml(const std::string& html, const std::string& componentPath = "");
    // OpenLocal(path); the document's result.
    int OpenFile(const std::string& path);
    // Layout(width, height) of the window's size.
    void Layout();
    // Sets the viewport origin to (0, scrollY), finds the band, and paints background and elements
    // through a client DC shifted by the origin into the window's backing image; returns a copy of it
    // (ARGB32 premultiplied; compare colours with PixelRef).
    QImage Render(int scrollY = 0);

    // The visible elements of the body in GetNextVisible order.
    std::vector<CVisible*> Visibles() const { return ::Visibles(m_pDoc); }
    // The text runs among them.
    std::vector<FText*> Texts() const;
    // The n-th (0-based) visible element of the kind, null when there is none.
    CVisible* FindKind(int kind, int nth = 0) const;
    // The n-th text run whose raw text, without trailing blanks, is text; null when there is none.
    FText* FindText(const std::string& text, int nth = 0) const { return ::FindText(m_pDoc, text, nth); }

private:
    CWnd* m_pWnd;
    CHtmlX* m_pDoc;
    int m_nWidth;
    int m_nHeight;
};

// The window's update rectangle; empty when nothing waits to be painted.
CRect UpdateRect(CWnd* wnd);

// The colour of a pixel as a COLORREF (red in the low byte), so it compares with RGB(...).
COLORREF PixelRef(const QImage& image, int x, int y);
// The pixels whose colour differs from that of the top-left corner.
int InkOverGround(const QImage& image);
// A point of an image and the colour it has, or with differs set the colour it has not.
struct Pixel
{
    int x, y;
    COLORREF colour;
    bool differs = false;
};
// Checks every point; a failure names the point.
void ExpectPixels(const QImage& image, std::span<const Pixel> pixels);
inline void ExpectPixels(const QImage& image, std::initializer_list<Pixel> pixels)
{
    ExpectPixels(image, std::span<const Pixel>(pixels.begin(), pixels.size()));
}
// How many pixels of the left width columns (all columns when width < 0) of two pictures differ in
// colour; -1 when the heights differ or either picture is too narrow (or, for all columns, the widths
// differ).
int DifferentPixels(const QImage& a, const QImage& b, int width = -1);

// Each test gets a fresh server with the default settings and the box font switched on.
class DocTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

private:
    BoxFontMode m_box;
};
