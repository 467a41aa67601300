// The framework's base layer in one include: basic types, CObject, CString and the collections.
#pragma once

#include "platform/afx/afxtypes.h"
#include "platform/afx/afxobj.h"
#include "platform/afx/afxstr.h"
#include "platform/afx/afxcoll.h"

// Address checks of the framework: every non-null address is taken as valid.
inline BOOL AfxIsValidAddress(const void* p, UINT /*nBytes*/, BOOL /*bReadWrite*/ = TRUE)
{
    return p != nullptr;
}
