// What a host sees of the view: notifications of links and titles, and the view inside a Qt widget's
// layout (size, focus, the widget's end).
#include "ViewFixture.h"

#include "korhtml/HtmlX.h"
#include "platform/shell/shell.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

// "제목 없음" (Untitled), the title of the error page and of an empty view.
const char kUntitled[] = "\xC1\xA6\xB8\xF1 \xBE\xF8\xC0\xBD";

struct Link
{
    std::string href, target;
    BOOL remote;
};

using ViewHost = ViewFixture;

// A paragraph long enough to wrap into many lines at any width used here.
std::string LongParagraph()
{
    std::string s = "<p>";
    for (int i = 0; i < 400; ++i)
        s += "word" + std::to_string(i) + " ";
    return s;
}

} // namespace

TEST_F(ViewHost, TheHostHearsOfEveryFollowedLinkAndEveryNewTitleWhileTheViewStillFollowsLinks)
{
    std::filesystem::create_directories(dir.File("sub"));
    const std::string a = Write("a.html", "<title>A</title><p><a href=\"sub/../sub/b.html\">next</a> "
                                          "<a href=\"http://example.com/x.html\">remote</a> "
                                          "<a href=\"late.html\">late</a>");
    const std::string b = Write("sub/b.html", "<title>B</title><p>b");
    std::vector<std::string> titles;
    std::vector<Link> links;
    view.SetTitleNotify([&](const CString& t) { titles.push_back(t.str()); });
    view.SetLinkNotify([&](const CString& href, const CString& target, BOOL remote) {
        // The view has done its part when the host hears of it.
        EXPECT_EQ(view.m_pHtml->GetLocalPath(), remote ? CString(a.c_str()) : target);
        links.push_back({href.str(), target.str(), remote});
    });
    int shell = 0;
    kor::SetShellHook([&](const kor::ShellRequest&, CString&) {
        ++shell;
        return 42;
    });

    ASSERT_EQ(view.Open(CString(a.c_str())), 1);
    view.Open(CString(a.c_str())); // the same title again: no news
    EXPECT_EQ(titles, (std::vector<std::string>{"A"}));

    ClickRun("next");
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].href, "sub/../sub/b.html");
    EXPECT_EQ(links[0].target, b);
    EXPECT_EQ(links[0].remote, 0);
    EXPECT_EQ(titles.back(), "B");

    view.Open(CString(a.c_str()));
    ClickRun("remote");
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[1].target, "http://example.com/x.html");
    EXPECT_EQ(links[1].remote, 1);
    EXPECT_EQ(shell, 1);
    EXPECT_EQ(titles, (std::vector<std::string>{"A", "B", "A"}));

    // A link to a missing file: the error page, then the file once the wait timer finds it.
    ClickRun("late");
    EXPECT_EQ(links.back().target, dir.File("late.html"));
    EXPECT_EQ(titles.back(), kUntitled);
    Write("late.html", "<title>Late</title>here");
    view.SendMessage(WM_TIMER, ID_TIMER_WAIT);
    EXPECT_EQ(titles.back(), "Late");

    // Strings, closing and reloading report their titles too; a notification may replace itself.
    view.SetTitleNotify([&](const CString& t) {
        titles.push_back(t.str());
        view.SetTitleNotify([&](const CString& u) { titles.push_back("then " + u.str()); });
    });
    view.OpenString("<title>S</title>s");
    view.Close();
    view.Reload();
    EXPECT_EQ(titles, (std::vector<std::string>{"A", "B", "A", kUntitled, "Late", "S",
                                                std::string("then ") + kUntitled, "then Late"}));
    kor::SetShellHook(nullptr);
}

TEST_F(ViewHost, AViewInAQtLayoutFollowsItsParentTakesTheFocusByTabAndEndsWithIt)
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
    host->resize(400, 300);
    host->show();
    host->activateWindow();
    ASSERT_TRUE(PumpUntil([&] { return host->isActiveWindow(); }, 2000));
    ASSERT_EQ(hosted.OpenString(CString(LongParagraph().c_str())), 1);

    // The layout gives the view everything below the address line; the document follows each size.
    auto laidOut = [&](int w, int h) {
        host->resize(w, h);
        return PumpUntil([&] { return widget->width() == w && widget->height() == h - address->height(); },
                         2000);
    };
    ASSERT_TRUE(laidOut(400, 300));
    const int narrow = hosted.m_pHtml->GetContentSize().cy;
    EXPECT_EQ(hosted.m_pHtml->GetViewportSize(), CSize(400 - 16, 300 - address->height()));
    ASSERT_TRUE(laidOut(700, 500));
    EXPECT_EQ(hosted.m_pHtml->GetViewportSize(), CSize(700 - 16, 500 - address->height()));
    EXPECT_LT(hosted.m_pHtml->GetContentSize().cy, narrow);

    // Tab moves from the address line into the view, whose keys then scroll it.
    address->setFocus();
    ASSERT_TRUE(PumpUntil([&] { return address->hasFocus(); }, 2000));
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(address, &tab);
    ASSERT_TRUE(PumpUntil([&] { return widget->hasFocus(); }, 2000));
    EXPECT_EQ(CWnd::GetFocus(), &hosted);
    QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(widget, &pageDown);
    EXPECT_GT(hosted.GetScrollPosition().y, 0);

    // The host's widget going first takes the view's window and document with it.
    host.reset();
    EXPECT_EQ(hosted.m_hWnd, nullptr);
    EXPECT_EQ(hosted.m_pHtml, nullptr);
    EXPECT_EQ(hosted.GetWidget(), nullptr);
    EXPECT_FALSE(hosted.Create(static_cast<QWidget*>(nullptr)));
}
