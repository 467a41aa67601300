// Generated CP949 pages of a chosen size and shape, the same bytes on every machine and run.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bench {

// The shapes of page the comparisons and benchmarks run on.
enum class PageShape
{
    Running, // headings, paragraphs with inline styles and links, short lists, rules
    NoP,     // one long text broken by BR only, no block at all
    Lists,   // deeply nested UL/OL lists of items
    Tables,  // many tables, some nested, with spans and coloured cells, text between them
};

// The shape named "running", "nop", "lists" or "tables"; false for any other name.
bool ParsePageShape(std::string_view name, PageShape& shape);

// A whole page of at least `bytes` bytes, and less than 8 KB more, in the given shape. The page of a
// smaller size is the beginning of the larger one up to its closing tags, so that growth
// measurements compare the same content.
std::string GeneratePage(PageShape shape, std::size_t bytes);

} // namespace bench
