// Utility functions shared by the whole system: small arithmetic, file reading, path handling, font families.
#pragma once

#include "platform/afx/afx.h"

// The most bytes a plain-text conversion writes. The indentation of nested lists grows with the
// square of their depth, so a hostile page could ask for gigabytes (more than a CString holds);
// the text is cut here instead.
constexpr int KOR_MAX_TEXT = 256 << 20;

// The largest size an element takes in the layout and the farthest position it is placed at. A
// hostile page can ask for a rule billions of pixels wide or for millions of tall lines; kept
// within these, no sum the layout makes of sizes and positions leaves the range of an int.
constexpr int KOR_MAX_EXTENT = 1 << 26;
constexpr int KOR_MAX_POSITION = 1 << 29;

int KorMin(int a, int b);
int KorMax(int a, int b);
// Clamps value into low..high in place; when low > high, low wins.
void KorClipValue(int& value, int low, int high);

// TRUE when path names something that exists and is not a directory.
BOOL KorFileExist(const CString& path);
// The whole file as bytes (NULs kept); a string of one space when the file cannot be read.
CString KorReadFile(const CString& path);
// A text file read as text (CR LF becomes LF) with &, < and > written as entities, so that it can be
// shown inside PRE; a string of one space when the file cannot be read.
CString KorReadTextFile(const CString& path);

// rel resolved against the directory of base; remote and absolute names come back as they are.
CString KorGetAbsolutePath(const CString& base, const CString& rel);
// The directory part with its trailing separator ("" when there is none).
CString KorGetFilePath(const CString& path);
// The part after the last separator.
CString KorGetFileName(const CString& path);
// The file name without its extension.
CString KorGetPureFileName(const CString& path);
// The extension of the file name with its dot ("" when it has none).
CString KorGetFileExt(const CString& path);
// TRUE for a network address (a scheme of the net or "//").
BOOL KorIsRemoteFile(const CString& path);

// The LOGFONT pitch-and-family byte that suits a face name (CP949 bytes); 0 for a face we do not know.
// A comma-separated list of faces gives the byte of the first face known.
BYTE KorGetPitchAndFamily(const CString& face);
