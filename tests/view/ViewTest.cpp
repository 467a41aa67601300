// The view window driven through its messages: scrolling, painting, the hand cursor, links and the wait
// timer; what a host hears of it, the view inside a Qt widget's layout; its context menu and commands.
#include "DocTestUtil.h"
#include "EventLoop.h"
#include "Hostile.h"
#include "TempDir.h"

#include "korhtml/HTMLView.h"
#include "korhtml/Html2Text.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/TextElement.h"
#include "platform/gdi/codepage.h"
#include "platform/shell/shell.h"
#include "platform/win/winqt.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QVBoxLayout>

#include <filesystem>
#include <memory>
#include <string>

// A view of 316 x 300 pixels (300 x 300 of client area) in a hidden frame, with the box-font server,
// files, and the shell's requests kept rather than run.
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
        kor::SetShellHook([this](const kor::ShellRequest& r, CString&) {
            shell.push_back(r);
            return 42;
        });
    }

    // The hooks a test may have set go with the view.
    void TearDown() override
    {
        kor::SetShellHook(nullptr);
        kor::SetMenuHook(nullptr);
        kor::SetFileDialogHook(nullptr);
        view.DestroyWindow();
        frame.DestroyWindow();
        DocTest::TearDown();
    }

    std::string Write(const char* name, const std::string& bytes)
    {
        std::string path = dir.File(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    // Mouse input as the window system delivers it, at a client point.
    void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::NoButton)
    {
        SendMouse(kor::WindowWidget(&view), type, x, y, button);
    }
    // A move onto the middle of a run, then a click there.
    void ClickRun(const char* text)
    {
        CVisible* v = FindText(view.m_pHtml, text);
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
    std::vector<kor::ShellRequest> shell;
};

namespace {

// "제목 없음" (Untitled), the title of the error page.
const char kUntitled[] = "\xC1\xA6\xB8\xF1 \xBE\xF8\xC0\xBD";

// n lines of words over a tiled background, so that a wrongly shifted pixel shows.
CString LongPage(int n)
{
    std::string s = "<html><body background=\"" + std::string(KORHTML_TEST_DATA) + "/img_tile.bmp\">";
    for (int i = 0; i < n; ++i)
        s += "row " + std::to_string(i) + " \xC7\xD1\xB1\xDB<br>";
    return CString((s + "</body></html>").c_str());
}

// What a document of the same source shows when painted whole at scroll position y.
QImage Reference(const CString& page, int y)
{
    TestDoc ref(ViewFixture::kClient, ViewFixture::kHeight);
    ref.OpenHtml(page.str());
    ref.Layout();
    return ref.Render(y).copy(0, 0, ViewFixture::kClient, ViewFixture::kHeight);
}

using ViewWindow = ViewFixture;

} // namespace

TEST_F(ViewWindow, KeysScrollByThePageAndLineSizesAndStopAtTheEnds)
{
    ASSERT_EQ(view.OpenString(LongPage(100)), 1);
    const int content = view.m_pHtml->GetContentSize().cy;
    ASSERT_GT(content, 4 * kHeight);
    const int limit = content - kHeight;
    EXPECT_EQ(view.m_pHtml->GetViewportSize(), CSize(kClient, kHeight)); // the bar is left out

    auto key = [&](UINT vk) {
        view.SendMessage(WM_KEYDOWN, vk, 1);
        return view.GetScrollPosition().y;
    };
    EXPECT_EQ(key(VK_UP), 0);
    EXPECT_EQ(key(VK_END), 0); // Home, End, Left and Right are not the view's

    // At the end.
    view.SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(key(VK_NEXT), limit);
    EXPECT_EQ(key(VK_DOWN), limit);
    EXPECT_EQ(key(VK_PRIOR), limit - 290);

    // A lower window: the page follows the height of the last resize, and the layout its width.
    view.SendMessage(WM_VSCROLL, SB_TOP);
    view.MoveWindow(0, 0, kWidth - 100, 200);
    EXPECT_EQ(view.m_pHtml->GetViewportSize(), CSize(kClient - 100, 200));
    EXPECT_EQ(key(VK_NEXT), 190);
}

TEST_F(ViewWindow, ScrollingRepaintsOnlyTheUncoveredStripAndShowsWhatAWholePaintShows)
{
    const CString page = LongPage(60);
    ASSERT_EQ(view.OpenString(page), 1);
    EXPECT_EQ(DifferentPixels(Shown(), Reference(page, 0)), 0);

    // Each key moves the pixels and leaves only the strip it uncovered to paint: {key, strip, scroll}.
    const struct
    {
        UINT key;
        int top, bottom, y;
    } steps[] = {{VK_DOWN, 280, 300, 20}, {VK_UP, 0, 20, 0}, {VK_NEXT, 10, 300, 290}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.y);
        view.SendMessage(WM_KEYDOWN, step.key);
        EXPECT_EQ(UpdateRect(&view), CRect(0, step.top, kClient, step.bottom));
        EXPECT_EQ(DifferentPixels(Shown(), Reference(page, step.y)), 0);
    }

    // Dragging the thumb paints at once, without waiting for the queue.
    view.SendMessage(WM_VSCROLL, SB_THUMBTRACK | (WPARAM(123) << 16));
    EXPECT_EQ(view.GetScrollPosition().y, 123);
    EXPECT_EQ(UpdateRect(&view), CRect());
    auto painted = [&] { return kor::WindowSurface(&view)->copy(0, 0, kClient, kHeight); };
    EXPECT_EQ(DifferentPixels(painted(), Reference(page, 123)), 0);
    view.SendMessage(WM_VSCROLL, SB_THUMBPOSITION | (WPARAM(401) << 16));
    EXPECT_EQ(DifferentPixels(painted(), Reference(page, 401)), 0);
}

TEST_F(ViewWindow, PaintsWhiteWhileNothingCanBeDrawn)
{
    auto allWhite = [&] {
        QImage shown = Shown();
        return PixelRef(shown, 0, 0) == RGB(255, 255, 255) && InkOverGround(shown) == 0;
    };
    ASSERT_EQ(view.OpenString(LongPage(60)), 1);
    view.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_FALSE(allWhite());
    view.Close();
    EXPECT_EQ(view.GetTotalSize(), CSize(10, 10));
    EXPECT_EQ(view.GetScrollPosition().y, 0);
    EXPECT_TRUE(allWhite());

    // A body without visible content is never laid out: white, whatever its colour.
    EXPECT_EQ(view.OpenString("<body bgcolor=#ff0000></body>"), 1);
    EXPECT_TRUE(allWhite());
    // A source that does not parse leaves the document empty.
    EXPECT_EQ(view.OpenString(" \r\n "), 0);
    EXPECT_TRUE(allWhite());
}

TEST_F(ViewWindow, HandOverAnchorsAndTheArrowElsewhere)
{
    ASSERT_EQ(view.OpenString("<p><a href=b.html>link</a> plain"), 1);
    QWidget* w = kor::WindowWidget(&view);
    const HCURSOR hand = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_LINKHAND));
    const HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    ASSERT_NE(hand, nullptr);

    // The page's first word is at the margins, (10, 10); box-font letters are 7 pixels wide.
    Mouse(QEvent::MouseMove, 12, 12);
    EXPECT_EQ(::GetCursor(), hand);
    EXPECT_EQ(w->cursor().shape(), Qt::BitmapCursor);
    Mouse(QEvent::MouseMove, 60, 12); // "plain"
    EXPECT_EQ(::GetCursor(), arrow);
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
    Mouse(QEvent::MouseMove, kClient - 2, kHeight - 2); // no element there
    EXPECT_EQ(::GetCursor(), arrow);
}

// Links open in the same view or go to the shell; the host hears of every followed link and every new
// title.
TEST_F(ViewWindow, LinksOpenLocallyOrInTheShellAndTheHostHearsOfThem)
{
    std::filesystem::create_directories(dir.File("sub"));
    const std::string a = Write("a.html", "<title>A</title><p><a href=\"sub/../sub/b.html\">next</a> "
                                          "<a href=\"http://example.com/x.html\">remote</a>");
    const std::string b = Write("sub/b.html", "<title>B</title><p><a href=\"../a.html\">back</a>");
    std::vector<std::string> titles, links;
    view.SetTitleNotify([&](const CString& t) { titles.push_back(t.str()); });
    view.SetLinkNotify([&](const CString& href, const CString& target, BOOL remote) {
        // The view has done its part when the host hears of it.
        EXPECT_EQ(view.m_pHtml->GetLocalPath(), remote ? CString(a.c_str()) : target);
        links.push_back(href.str() + " " + target.str() + " " + std::to_string(remote));
    });

    ASSERT_EQ(view.Open(CString(a.c_str())), 1);
    view.Open(CString(a.c_str())); // the same title again: no news
    ClickRun("next");
    ClickRun("back");
    EXPECT_EQ(links, (std::vector<std::string>{"sub/../sub/b.html " + b + " 0", "../a.html " + a + " 0"}));

    // A network address goes to the shell as it is; the view keeps its document.
    ClickRun("remote");
    ASSERT_EQ(shell.size(), 1u);
    EXPECT_EQ(shell[0].verb, "");
    EXPECT_EQ(shell[0].file, "http://example.com/x.html");
    EXPECT_EQ(links.back(), "http://example.com/x.html http://example.com/x.html 1");

    // Strings, closing and reloading report their titles too; a notification may replace itself.
    view.SetTitleNotify([&](const CString& t) {
        titles.push_back(t.str());
        view.SetTitleNotify([&](const CString& u) { titles.push_back("then " + u.str()); });
    });
    view.OpenString("<title>S</title>s");
    view.Close();
    view.Reload();
    EXPECT_EQ(titles,
              (std::vector<std::string>{"A", "B", "A", "S", std::string("then ") + kUntitled, "then A"}));

    // Without any file opened before, a link is opened as written.
    CHTMLView fresh;
    CRect rc(0, 0, kWidth, kHeight);
    ASSERT_TRUE(fresh.Create(&frame, rc, nullptr));
    ASSERT_EQ(fresh.OpenString("<a href=\"nowhere-at-all.html\">far</a>"), 1);
    fresh.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(12, 12));
    fresh.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
    EXPECT_EQ(fresh.m_pHtml->GetLocalPath(), "nowhere-at-all.html");
    EXPECT_EQ(fresh.m_bWaiting, 1);
}

TEST_F(ViewWindow, AMissingFileWaitsAndTheTickAfterItAppearsShowsIt)
{
    const std::string late = dir.File("late.html");
    EXPECT_EQ(view.Open(CString(late.c_str())), 0);
    EXPECT_EQ(view.m_bWaiting, 1);
    EXPECT_TRUE(view.m_pHtml->ReadyToDraw()); // the error page

    view.SendMessage(WM_TIMER, ID_TIMER_WAIT);
    EXPECT_EQ(view.m_bWaiting, 1);
    EXPECT_EQ(view.m_pHtml->GetTitle(), kUntitled);

    // A string shown meanwhile leaves the timer alone.
    EXPECT_EQ(view.OpenString("<title>S</title>x"), 1);
    EXPECT_EQ(view.m_bWaiting, 1);

    Write("late.html", "<title>Late</title><p>here");
    view.SendMessage(WM_TIMER, ID_TIMER_ANIMATE); // not the view's
    EXPECT_EQ(view.m_pHtml->GetTitle(), "S");
    view.SendMessage(WM_TIMER, ID_TIMER_WAIT);
    EXPECT_EQ(view.m_pHtml->GetTitle(), "Late");
    EXPECT_EQ(view.m_bWaiting, 0);
    EXPECT_FALSE(view.KillTimer(ID_TIMER_WAIT)); // no timer left

    // Close and a successful open stop the waiting as well.
    for (bool close : {true, false}) {
        view.Open(CString(dir.File("other.html").c_str()));
        EXPECT_EQ(view.m_bWaiting, 1);
        if (close)
            view.Close();
        else
            EXPECT_EQ(view.Open(CString(late.c_str())), 1);
        EXPECT_EQ(view.m_bWaiting, 0);
        EXPECT_FALSE(view.KillTimer(ID_TIMER_WAIT));
    }
}

TEST_F(ViewWindow, TheWaitTimerTicksEveryThreeSecondsAndIsStartedOnce)
{
    const std::string late = dir.File("late.html");
    int ticks = 0;
    kor::SetMessageFilter([&](MSG& msg) {
        if (msg.hwnd == view.m_hWnd && msg.message == WM_TIMER && msg.wParam == ID_TIMER_WAIT)
            ++ticks;
        return false;
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(view.Open(CString(late.c_str())), 0);
    Pump(1500);
    // Opening it again while waiting must not start the three seconds afresh.
    EXPECT_EQ(view.Open(CString(late.c_str())), 0);
    Write("late.html", "<title>Late</title><p>here");
    ASSERT_TRUE(PumpUntil([&] { return view.m_pHtml->GetTitle() == "Late"; }, 6000));
    // Three seconds after the first open, not after the second (4.5 s).
    qint64 elapsed = clock.elapsed();
    EXPECT_GE(elapsed, 2700);
    EXPECT_LT(elapsed, 4200);
    EXPECT_EQ(ticks, 1);
    kor::SetMessageFilter(nullptr);
}

TEST_F(ViewWindow, AViewInAQtLayoutFollowsItsParentTakesTheFocusByTabAndEndsWithIt)
{
    auto host = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(host.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* address = new QLineEdit(host.get());
    layout->addWidget(address);
    CHTMLView hosted;
    ASSERT_TRUE(hosted.Create(host.get()));
    QWidget* widget = hosted.GetWidget();
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), host.get());
    layout->addWidget(widget);
    host->show();
    host->activateWindow();
    ASSERT_TRUE(PumpUntil([&] { return host->isActiveWindow(); }, 2000));
    ASSERT_EQ(hosted.OpenString(CString(("<p>" + hostile::Repeat("word ", 2000)).c_str())), 1);

    // The layout gives the view everything below the address line; the document follows each size.
    auto laidOut = [&](int w, int h) {
        host->resize(w, h);
        return PumpUntil([&] { return widget->width() == w && widget->height() == h - address->height(); },
                         2000);
    };
    ASSERT_TRUE(laidOut(400, 300));
    const int narrow = hosted.m_pHtml->GetContentSize().cy;
    ASSERT_TRUE(laidOut(700, 500));
    EXPECT_EQ(hosted.m_pHtml->GetViewportSize(), CSize(700 - 16, 500 - address->height()));
    EXPECT_LT(hosted.m_pHtml->GetContentSize().cy, narrow);

    // Tab moves from the address line into the view, whose keys then scroll it.
    address->setFocus();
    ASSERT_TRUE(PumpUntil([&] { return address->hasFocus(); }, 2000));
    SendKey(address, Qt::Key_Tab);
    ASSERT_TRUE(PumpUntil([&] { return widget->hasFocus(); }, 2000));
    EXPECT_EQ(CWnd::GetFocus(), &hosted);
    SendKey(widget, Qt::Key_PageDown);
    EXPECT_GT(hosted.GetScrollPosition().y, 0);

    // The host's widget going first takes the view's window and document with it.
    host.reset();
    EXPECT_EQ(hosted.m_hWnd, nullptr);
    EXPECT_EQ(hosted.m_pHtml, nullptr);
    EXPECT_EQ(hosted.GetWidget(), nullptr);
    EXPECT_FALSE(hosted.Create(static_cast<QWidget*>(nullptr)));
}

// The context menu and its commands: copying, saving, printing and the external viewers.
namespace {

class ViewCommands : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        std::filesystem::create_directories(dir.File("src"));
        std::filesystem::copy_file(std::string(KORHTML_TEST_DATA) + "/img_alpha.png",
                                   dir.File("src/pic.png"));
        // The background is an image the document loads, so saving copies it; the heading is "한글 문서"
        // (Korean document) in CP949.
        source = "<title>P</title><body background=pic.png><h1>\xC7\xD1\xB1\xDB \xB9\xAE\xBC\xAD</h1>"
                 "<p>Hello world<hr>";
        page = Write("src/page.html", source);
        std::filesystem::create_directories(dir.File("tmp"));
    }

    std::string source, page;
    ScopedEnv tmpEnv{"TMPDIR", dir.File("tmp")}; // where the external viewers' files go
};

QString Clipboard()
{
    return QGuiApplication::clipboard()->text();
}

} // namespace

TEST_F(ViewCommands, NoMenuOverAnEmptyViewAndFiveCommandsOverADocument)
{
    int shown = 0;
    std::vector<kor::MenuItem> items;
    POINT at{};
    UINT choice = 0;
    kor::SetMenuHook([&](const std::vector<kor::MenuItem>& menu, POINT pt, CWnd* owner) {
        ++shown;
        items = menu;
        at = pt;
        EXPECT_EQ(owner, &view);
        return choice;
    });
    Mouse(QEvent::MouseButtonPress, 20, 30, Qt::RightButton);
    EXPECT_EQ(shown, 0);

    // The error page is a document: it has the menu.
    view.Open(CString(dir.File("missing.html").c_str()));
    Mouse(QEvent::MouseButtonPress, 20, 30, Qt::RightButton);
    ASSERT_EQ(shown, 1);
    std::vector<UINT> ids;
    for (const kor::MenuItem& item : items)
        ids.push_back(item.flags & MF_SEPARATOR ? 0 : item.id);
    EXPECT_EQ(ids, (std::vector<UINT>{ID_HTML_COPY, ID_HTML_SAVE, ID_HTML_PRINT, 0, ID_HTML_NOTEPAD,
                                      ID_HTML_BROWSER}));
    CPoint screen(20, 30);
    view.ClientToScreen(&screen);
    EXPECT_EQ(CPoint(at), screen);

    // The chosen command arrives after the menu has closed and runs. Copy takes the file as it is on
    // disk, not what the view shows now.
    ASSERT_EQ(view.Open(CString(page.c_str())), 1);
    ASSERT_EQ(view.OpenString("<p>shown from memory"), 1);
    QGuiApplication::clipboard()->setText("before");
    choice = ID_HTML_COPY;
    view.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Clipboard(), "before");
    ASSERT_TRUE(PumpUntil([] { return Clipboard() != "before"; }, 2000));
    EXPECT_EQ(Clipboard(), kor::ToUnicode(HtmlFile2Text(CString(page.c_str()), 80, -1, 0)));
}

TEST_F(ViewCommands, SaveWritesTextForTxtInAnyCaseAndTheSourceWithItsImagesOtherwise)
{
    ASSERT_EQ(view.Open(CString(page.c_str())), 1);
    std::vector<kor::FileDialogRequest> asked;
    std::string answer;
    kor::SetFileDialogHook([&](const kor::FileDialogRequest& r, CString& path) {
        asked.push_back(r);
        path = CString(answer.c_str());
        return answer.empty() ? IDCANCEL : IDOK;
    });

    answer = dir.File("NOTES.TXT");
    view.SendMessage(WM_COMMAND, ID_HTML_SAVE);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_FALSE(asked[0].open);
    EXPECT_EQ(asked[0].defExt, "html");
    EXPECT_EQ(asked[0].fileName, "page");
    EXPECT_EQ(asked[0].flags, DWORD(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(asked[0].filter, "HTML Files (*.html)|*.html|Text File (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(ReadFileBytes(answer), view.m_pHtml->ExtractText(80).str());
    EXPECT_FALSE(std::filesystem::exists(dir.File("pic.png")));

    // No extension: the dialog gives the default one, and the source goes out with its images.
    std::filesystem::create_directories(dir.File("out2"));
    answer = dir.File("out2/copy");
    view.Save();
    EXPECT_EQ(ReadFileBytes(dir.File("out2/copy.html")), source);
    EXPECT_EQ(ReadFileBytes(dir.File("out2/pic.png")), ReadFileBytes(dir.File("src/pic.png")));

    // Any other extension is the source as well; cancelling writes nothing.
    answer = dir.File("out2/copy.txt.bak");
    view.Save();
    EXPECT_EQ(ReadFileBytes(answer), source);
    answer.clear();
    view.Save();
    EXPECT_EQ(asked.size(), 4u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("out2")), {}), 3);
}

TEST_F(ViewCommands, ExternalViewersGetTemporaryFilesOrTheFileOnDisk)
{
    const std::string tmp = dir.File("tmp") + "/";
    ASSERT_EQ(view.Open(CString(page.c_str())), 1);

    view.SendMessage(WM_COMMAND, ID_HTML_NOTEPAD);
    ASSERT_EQ(shell.size(), 1u);
    EXPECT_EQ(shell[0].file, CString((tmp + "Article.txt").c_str()));
    EXPECT_EQ(shell[0].verb, "");
    EXPECT_EQ(ReadFileBytes(tmp + "Article.txt"), view.m_pHtml->ExtractText(80).str());

    // The browser opens the file on disk, even after the view has shown something else.
    ASSERT_EQ(view.OpenString("<p>in memory"), 1);
    view.SendMessage(WM_COMMAND, ID_HTML_BROWSER);
    ASSERT_EQ(shell.size(), 2u);
    EXPECT_EQ(shell[1].file, CString(page.c_str()));
    EXPECT_FALSE(std::filesystem::exists(tmp + "Article.html"));

    // Printing goes through the document to the shell's print verb.
    view.SendMessage(WM_COMMAND, ID_HTML_PRINT);
    ASSERT_GE(shell.size(), 3u);
    EXPECT_EQ(shell.back().verb, "print");
    EXPECT_EQ(shell.back().file, CString(page.c_str()));
    size_t before = shell.size();
    view.SendMessage(WM_COMMAND, ID_HTML_BROWSER + 1); // not one of the menu's
    EXPECT_EQ(shell.size(), before);

    // A view that never opened a file hands over its source, written with its images, and copies an
    // empty text.
    CHTMLView fresh;
    CRect rc(0, 0, kWidth, kHeight);
    ASSERT_TRUE(fresh.Create(&frame, rc, nullptr));
    const std::string memory = "<body background=\"" + dir.File("src/pic.png") + "\"><p>mine";
    ASSERT_EQ(fresh.OpenString(CString(memory.c_str())), 1);
    fresh.ExtOpenWebBrowser();
    EXPECT_EQ(shell.back().file, CString((tmp + "Article.html").c_str()));
    EXPECT_EQ(ReadFileBytes(tmp + "Article.html"), memory);
    EXPECT_TRUE(std::filesystem::exists(tmp + "pic.png"));
    QGuiApplication::clipboard()->setText("before");
    fresh.CopyToClipboard();
    EXPECT_EQ(Clipboard(), "");
}
