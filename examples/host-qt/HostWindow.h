// HostWindow: the example's main window: back, forward and an address line over one HTML view.
#pragma once

#include <korhtml/HTMLView.h>

#include <QMainWindow>

#include <vector>

class QAction;
class QLineEdit;

class HostWindow : public QMainWindow
{
public:
    HostWindow();
    ~HostWindow() override;

    // Opens a file in the view (the name as bytes, as the library takes it) and makes it the newest
    // page of the history.
    void Open(const CString& path);

private:
    // The address line was entered.
    void Go();
    // Back (-1) or forward (+1) through the history.
    void Step(int by);
    // A page just opened (by the host or by a followed link) replaces the pages after the current one
    // in the history and becomes the current one.
    void Record(const CString& path);
    // The address line and the buttons after the page changed.
    void Update();

    CHTMLView m_view;
    QLineEdit* m_pAddress = nullptr;
    QAction* m_pBack = nullptr;
    QAction* m_pForward = nullptr;
    std::vector<CString> m_history; // the pages opened, oldest first
    size_t m_nCurrent = 0;          // the one shown
    kor::MessageFilter m_previousFilter;
};
