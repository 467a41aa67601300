// CHtmlX: one HTML document (minimal placeholder holding only the map manager; extended by its owner).
#pragma once

#include "maps/MapManager.h"
#include "platform/afx/afx.h"

class CWnd;

class CHtmlX : public CObject
{
public:
    explicit CHtmlX(CWnd* view) : m_pMapManager(new CMapManager(this)), m_pView(view) {}
    ~CHtmlX() override { delete m_pMapManager; }

    CMapManager* m_pMapManager; // owned
    CWnd* m_pView;              // not owned
};
