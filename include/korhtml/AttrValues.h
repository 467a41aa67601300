// Enumerated attribute values (alignments, clear, method, control and list types, sides, shapes).
#pragma once

// ALIGN attribute of most elements. Stored as plain ints in the elements.
enum
{
    ALIGN_NONE = 0,
    ALIGN_TOP = 1,
    ALIGN_MIDDLE = 2,
    ALIGN_BOTTOM = 3,
    ALIGN_LEFT = 4,
    ALIGN_RIGHT = 5,
    ALIGN_CENTER = 6
};

// VALIGN shares keywords with ALIGN but not numbers: CENTER is 3 here, BOTTOM 4.
enum
{
    VALIGN_NONE = 0,
    VALIGN_TOP = 1,
    VALIGN_MIDDLE = 2,
    VALIGN_CENTER = 3,
    VALIGN_BOTTOM = 4,
    VALIGN_BASELINE = 5
};

enum
{
    CLEAR_NONE = 0,
    CLEAR_LEFT = 1,
    CLEAR_ALL = 2,
    CLEAR_RIGHT = 3
};

enum
{
    METHOD_GET = 0,
    METHOD_POST = 1
};

// One keyword set for INPUT control types (0-9, 16) and list bullet/numbering styles (10-15).
enum
{
    TYPE_TEXT = 0,
    TYPE_PASSWORD = 1,
    TYPE_CHECKBOX = 2,
    TYPE_RADIO = 3,
    TYPE_BUTTON = 4,
    TYPE_SUBMIT = 5,
    TYPE_RESET = 6,
    TYPE_FILE = 7,
    TYPE_HIDDEN = 8,
    TYPE_IMAGE = 9,
    TYPE_DISC = 10,
    TYPE_SQUARE = 11,
    TYPE_CIRCLE = 12,
    TYPE_DECIMAL = 13,
    TYPE_ALPHA = 14,
    TYPE_ROMAN = 15,
    TYPE_INT = 16
};

// NOBORDER side of a table cell.
enum
{
    SIDE_NONE = 0,
    SIDE_LEFT = 1,
    SIDE_RIGHT = 2,
    SIDE_UP = 3,
    SIDE_DOWN = 4
};

// AREA shapes; RECT and DEFAULT both build a rectangle region.
enum
{
    SHAPE_RECT = 0,
    SHAPE_CIRCLE = 1,
    SHAPE_POLY = 2,
    SHAPE_DEFAULT = 3
};
