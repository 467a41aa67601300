// Run-time class records of the collections that derived classes name as their base.
#include "platform/afx/afxcoll.h"

IMPLEMENT_DYNAMIC(CObList, CObject)
