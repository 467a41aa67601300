// Html2Text and HtmlFile2Text: HTML turned into plain text without a window.
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"

// The text of html, wrapped at width characters and cut after maxLines lines (-1 in either means
// 65535); lines end with CR LF. With trim nonzero the leading matter (a headline and the breaks
// before the first words) is left out and preformatted text loses the blanks at its ends. images,
// when given, is emptied and receives the source of every image met, in document order. Creates and
// destroys a server of its own when none exists. Any failure gives an empty string.
KORHTML_API CString Html2Text(const CString& html, int width, int maxLines, int trim);
KORHTML_API CString Html2Text(const CString& html, int width, int maxLines, int trim, CStringList& images);

// The same for the file at path; a file that cannot be read gives an empty string.
KORHTML_API CString HtmlFile2Text(const CString& path, int width, int maxLines, int trim);
KORHTML_API CString HtmlFile2Text(const CString& path, int width, int maxLines, int trim,
                                  CStringList& images);
