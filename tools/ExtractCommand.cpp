// The extract command: the text a document extracts from a file, opened but not laid out.
#include "tools/Commands.h"

#include "korhtml/HtmlX.h"

namespace kor {

int RunExtract(const ToolOptions& options)
{
    const int width = options.IntValue("width", 80);
    ToolServer server(options);
    // The text needs only the measure pass, which opening runs; the window only hosts the document.
    ToolDocument document(options, 800, 600, false);
    return WriteOutput(TextOutput(document.Document()->ExtractText(width).str(), options)) ? 0 : 1;
}

} // namespace kor
