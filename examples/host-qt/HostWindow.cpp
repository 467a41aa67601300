// HostWindow: the view in a Qt layout, history from its link notifications, the title from its title
// notifications, and its animated images driven from the message filter.
#include "HostWindow.h"

#include <korhtml/HtmlX.h>
#include <korhtml/platform/gdi/codepage.h>

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QStatusBar>
#include <QStringDecoder>
#include <QToolBar>
#include <QVBoxLayout>

#include <cstddef>

namespace {

// A file name for display: names from the command line are UTF-8, names from pages CP949.
QString DisplayName(const CString& path)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = utf8(QByteArrayView(path.GetString(), path.GetLength()));
    return utf8.hasError() ? kor::ToUnicode(path) : name;
}

// A name typed by the user as the bytes the library opens: CP949 when it has every character, else UTF-8.
CString FileBytes(const QString& name)
{
    if (kor::IsCP949Convertible(name))
        return kor::FromUnicode(name);
    QByteArray utf8 = name.toUtf8();
    return CString(utf8.constData(), int(utf8.size()));
}

} // namespace

HostWindow::HostWindow()
{
    QToolBar* bar = addToolBar("Navigation");
    bar->setMovable(false);
    m_pBack = bar->addAction("Back", [this] { Step(-1); });
    m_pBack->setShortcut(QKeySequence::Back);
    m_pForward = bar->addAction("Forward", [this] { Step(+1); });
    m_pForward->setShortcut(QKeySequence::Forward);
    m_pAddress = new QLineEdit(bar);
    m_pAddress->setPlaceholderText("File to open");
    bar->addWidget(m_pAddress);
    connect(m_pAddress, &QLineEdit::returnPressed, this, [this] { Go(); });

    // The view is one more widget of the window's layout.
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(central);
    if (m_view.Create(central)) {
        layout->addWidget(m_view.GetWidget());
        m_view.GetWidget()->setFocus();
    }

    m_view.SetTitleNotify(
        [this](const CString& title) { setWindowTitle(kor::ToUnicode(title) + " - KORHTML"); });
    m_view.SetLinkNotify([this](const CString& href, const CString& target, BOOL remote) {
        if (remote)
            statusBar()->showMessage("Handed to the desktop: " + kor::ToUnicode(href), 5000);
        else
            Record(target);
    });

    // The view runs timer 5 while an animated image is in sight and leaves the frames to its host: on
    // each tick, the next frames are drawn through a DC prepared as the view prepares one for painting.
    m_previousFilter = kor::SetMessageFilter([this](MSG& msg) {
        if (msg.hwnd != m_view.m_hWnd || msg.message != WM_TIMER || msg.wParam != ID_TIMER_ANIMATE ||
            !m_view.m_pHtml)
            return false;
        CClientDC dc(&m_view);
        m_view.OnPrepareDC(&dc);
        m_view.m_pHtml->DrawAnimateImages(&dc);
        return true;
    });
    Update();
}

HostWindow::~HostWindow()
{
    kor::SetMessageFilter(m_previousFilter);
}

void HostWindow::Open(const CString& path)
{
    m_view.Open(path);
    Record(path);
}

void HostWindow::Go()
{
    QString name = m_pAddress->text().trimmed();
    if (name.isEmpty())
        return;
    // Relative names are taken from the folder of the page shown, as its links are.
    QString base = m_history.empty() ? QString() : QFileInfo(DisplayName(m_history[m_nCurrent])).path();
    QFileInfo file(name);
    if (file.isRelative() && !base.isEmpty())
        file = QFileInfo(base + "/" + name);
    Open(FileBytes(file.absoluteFilePath()));
}

void HostWindow::Step(int by)
{
    if (m_history.empty() || (by < 0 && m_nCurrent == 0) || (by > 0 && m_nCurrent + 1 >= m_history.size()))
        return;
    m_nCurrent = size_t(ptrdiff_t(m_nCurrent) + by);
    m_view.Open(m_history[m_nCurrent]);
    Update();
}

void HostWindow::Record(const CString& path)
{
    m_history.resize(m_history.empty() ? 0 : m_nCurrent + 1);
    m_history.push_back(path);
    m_nCurrent = m_history.size() - 1;
    Update();
}

void HostWindow::Update()
{
    m_pBack->setEnabled(m_nCurrent > 0);
    m_pForward->setEnabled(m_nCurrent + 1 < m_history.size());
    m_pAddress->setText(m_history.empty() ? QString() : DisplayName(m_history[m_nCurrent]));
}
