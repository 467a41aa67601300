// A view of 316 x 300 pixels (300 x 300 of client area) in a hidden frame, with the box-font server and
// files.
#pragma once

#include "DocTestUtil.h"
#include "EventLoop.h"
#include "TempDir.h"

#include "korhtml/HTMLView.h"
#include "korhtml/TextElement.h"
#include "platform/win/winqt.h"

#include <string>

class ViewFixture : public DocTest
{
public:
    static constexpr int kWidth = 316;
    static constexpr int kHeight = 300;
    static constexpr int kClient = kWidth - 16;

protected:
    void SetUp() override
    {
        DocTest::SetUp();
        ASSERT_FALSE(dir.Path().empty());
        ASSERT_TRUE(
            frame.CreateEx(0, nullptr, "frame", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr, nullptr));
        CRect rc(0, 0, kWidth, kHeight);
        ASSERT_TRUE(view.Create(&frame, rc, nullptr));
    }

    void TearDown() override
    {
        view.DestroyWindow();
        frame.DestroyWindow();
        DocTest::TearDown();
    }

    // Another view in the frame, of the same size.
    void CreateView(CHTMLView& other)
    {
        CRect rc(0, 0, kWidth, kHeight);
        ASSERT_TRUE(other.Create(&frame, rc, nullptr));
    }

    std::string Write(const char* name, const std::string& bytes)
    {
        std::string path = dir.File(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    // The text run of the view's document whose raw text, trailing blanks left out, is text.
    CVisible* Run(const char* text) { return FindText(view.m_pHtml, text); }

    // Mouse input as the window system delivers it, at a client point.
    void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::NoButton)
    {
        SendMouse(kor::WindowWidget(&view), type, x, y, button);
    }
    // A move onto the middle of a run, then a click there.
    void ClickRun(const char* text)
    {
        CVisible* v = Run(text);
        ASSERT_NE(v, nullptr) << text;
        int x = v->m_nX + v->m_nWidth / 2, y = v->m_nY + v->m_nHeight / 2 - view.GetScrollPosition().y;
        Mouse(QEvent::MouseMove, x, y);
        Mouse(QEvent::MouseButtonPress, x, y, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, x, y, Qt::LeftButton);
    }

    // The client area as the window shows it once every pending paint is done.
    QImage Shown()
    {
        view.UpdateWindow();
        QImage* surface = kor::WindowSurface(&view);
        return surface ? surface->copy(0, 0, kClient, kHeight) : QImage();
    }

    TempDir dir;
    CWnd frame;
    CHTMLView view;
};
