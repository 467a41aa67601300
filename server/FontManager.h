// CFontManager: the server's cache of shared fonts, one CFont per distinct LOGFONT.
#pragma once

#include "platform/afx/afx.h"

class CFont;

class CFontManager : public CObject
{
    DECLARE_DYNCREATE(CFontManager)

public:
    CFontManager();
    ~CFontManager() override;

    // The cached font whose description equals *lf, made and appended on first request; never null.
    CFont* FindOrCreateFont(LOGFONT* lf);

    // Every font created so far, in order of creation; owned.
    CObList m_listFont;
};
