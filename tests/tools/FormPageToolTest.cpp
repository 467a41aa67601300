// The example form page through the tool: controls at their layout places in render and in the view.
#include "ToolTestUtil.h"

#include <sstream>

namespace {

struct Box
{
    int x, y, w, h;
};

// The boxes of the elements of a kind in a layout dump.
std::vector<Box> Boxes(const std::string& dump, int kind)
{
    std::vector<Box> out;
    std::istringstream in(dump);
    std::string line;
    while (std::getline(in, line)) {
        int k;
        Box b;
        if (std::sscanf(line.c_str(), "%d\t%d\t%d\t%d\t%d", &k, &b.x, &b.y, &b.w, &b.h) == 5 && k == kind)
            out.push_back(b);
    }
    return out;
}

// Pixels of the box, shifted up by scroll, that are not the colour c.
int NotColour(const QImage& image, const Box& b, int scroll, unsigned c)
{
    int n = 0;
    for (int y = b.y - scroll; y < b.y - scroll + b.h; ++y)
        for (int x = b.x; x < b.x + b.w; ++x)
            n += y >= 0 && y < image.height() && x < image.width() && Rgb(image, x, y) != c;
    return n;
}

} // namespace

TEST_F(ToolTest, TheFormPageShowsItsControlsWhereTheLayoutPutsThem)
{
    const std::string page = std::string(KORHTML_EXAMPLES) + "/form.html";
    const std::string layout = RunOk({"layout", page, "--box-font", "--width", "624", "--height", "300"});
    // Push buttons 106 x 26 (Submit Query, the last of them, and one more) and 15 x 15 check boxes
    // and radio buttons.
    std::vector<Box> inputs = Boxes(layout, 38);
    std::vector<Box> buttons, checks;
    for (const Box& b : inputs) {
        if (b.w == 106 && b.h == 26)
            buttons.push_back(b);
        if (b.w == 15 && b.h == 15)
            checks.push_back(b);
    }
    ASSERT_EQ(buttons.size(), 2u);
    ASSERT_GE(checks.size(), 6u);
    ASSERT_FALSE(Boxes(layout, 65).empty());

    const unsigned background = 0xF4F4EC;
    for (int scroll : {0, 130, buttons.back().y - 250}) {
        // The view, scrolled by itself, shows the controls where render puts them.
        Compare(page, 640, 300, scroll, {"--box-font"});
        // Every input control in the picture covers its box.
        for (const Box& b : inputs) {
            if (b.w == 0 || b.y + b.h <= scroll || b.y - scroll >= 300)
                continue;
            EXPECT_GT(NotColour(rendered, b, scroll, background), b.w * b.h / 4) << b.x << "," << b.y;
        }
    }
}
