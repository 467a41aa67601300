// CP949 <-> Unicode conversion at the Qt boundary (measuring, drawing, widget texts, clipboard, dialogs).
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"

class QString;

namespace kor {

// CP949 bytes to Unicode; nCount < 0 means up to the NUL. Never fails: a lead byte whose next byte is
// no valid trail byte becomes one U+FFFD on its own (the next byte is decoded by itself), a lead byte
// at the end becomes U+FFFD, as do 0x80, 0xFF and two-byte codes the code page does not define.
KORHTML_API QString ToUnicode(const char* psz, int nCount = -1);
KORHTML_API QString ToUnicode(const CString& str);

// Unicode to CP949 bytes; characters the code page lacks become "?".
KORHTML_API CString FromUnicode(const QString& str);

// True when every character of str has a CP949 code (nothing would become "?").
KORHTML_API bool IsCP949Convertible(const QString& str);

} // namespace kor
