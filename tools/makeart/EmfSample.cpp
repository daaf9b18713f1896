#include "EmfSample.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

// libEMF's Windows headers define min and max as macros: they come after the standard ones.
#include <libEMF/emf.h>

namespace
{

constexpr int width = 800;
constexpr int height = 600;
constexpr int columns = 10;
constexpr int rows = 8;

COLORREF glassColour(int column, int row)
{
    static const COLORREF colours[] = {
        RGB(200, 30, 40),  RGB(30, 80, 200),  RGB(240, 190, 20),  RGB(40, 160, 70),
        RGB(150, 40, 170), RGB(240, 120, 20), RGB(20, 170, 190),  RGB(230, 80, 150),
        RGB(120, 190, 40), RGB(90, 60, 200),  RGB(250, 230, 120), RGB(160, 220, 250),
    };
    constexpr int count = int(sizeof(colours) / sizeof(colours[0]));
    return colours[(column + row * 5) % count];
}

struct Quad {
    POINT corners[4];
};

void fillQuad(HDC dc, COLORREF colour, const Quad &quad)
{
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ previous = SelectObject(dc, brush);
    Polygon(dc, quad.corners, 4);
    SelectObject(dc, previous);
    DeleteObject(brush);
}

void fillEllipse(HDC dc, COLORREF colour, const RECT &box)
{
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ previous = SelectObject(dc, brush);
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, previous);
    DeleteObject(brush);
}

void drawWindow(HDC dc)
{
    // Lead lines between panes: a jittered grid, so every pane has its own shape.
    std::mt19937 random(1907);
    std::uniform_int_distribution<int> jitter(-18, 18);
    POINT grid[columns + 1][rows + 1];
    for (int c = 0; c <= columns; ++c) {
        for (int r = 0; r <= rows; ++r) {
            const bool edge = c == 0 || r == 0 || c == columns || r == rows;
            grid[c][r].x = c * width / columns + (edge ? 0 : jitter(random));
            grid[c][r].y = r * height / rows + (edge ? 0 : jitter(random));
        }
    }

    HPEN lead = CreatePen(PS_SOLID, 6, RGB(35, 30, 30));
    HGDIOBJ previousPen = SelectObject(dc, lead);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const Quad pane{{grid[c][r], grid[c + 1][r], grid[c + 1][r + 1], grid[c][r + 1]}};
            fillQuad(dc, glassColour(c, r), pane);
            const int cx = (grid[c][r].x + grid[c + 1][r + 1].x) / 2;
            const int cy = (grid[c][r].y + grid[c + 1][r + 1].y) / 2;
            const int radius = 8 + (c * 3 + r * 5) % 12;
            const RECT jewel{cx - radius, cy - radius, cx + radius, cy + radius};
            fillEllipse(dc, glassColour(c + 6, r), jewel);
        }
    }

    // A rose window over the middle: rings of petals around a golden centre.
    const int centreX = width / 2;
    const int centreY = height / 2;
    const RECT rose{centreX - 170, centreY - 170, centreX + 170, centreY + 170};
    fillEllipse(dc, RGB(20, 40, 110), rose);
    for (int ring = 0; ring < 2; ++ring) {
        const int petals = ring == 0 ? 12 : 8;
        const double outer = ring == 0 ? 160.0 : 95.0;
        const double inner = ring == 0 ? 90.0 : 35.0;
        for (int i = 0; i < petals; ++i) {
            const double angle = 2 * M_PI * i / petals;
            const double half = M_PI / petals * 0.8;
            Quad petal{};
            petal.corners[0] = {LONG(centreX + inner * std::cos(angle - half)),
                                LONG(centreY + inner * std::sin(angle - half))};
            petal.corners[1] = {LONG(centreX + outer * std::cos(angle - half / 2)),
                                LONG(centreY + outer * std::sin(angle - half / 2))};
            petal.corners[2] = {LONG(centreX + outer * std::cos(angle + half / 2)),
                                LONG(centreY + outer * std::sin(angle + half / 2))};
            petal.corners[3] = {LONG(centreX + inner * std::cos(angle + half)),
                                LONG(centreY + inner * std::sin(angle + half))};
            fillQuad(dc, glassColour(i, ring * 4), petal);
        }
    }
    const RECT heart{centreX - 30, centreY - 30, centreX + 30, centreY + 30};
    fillEllipse(dc, RGB(250, 210, 40), heart);

    SelectObject(dc, previousPen);
    DeleteObject(lead);
}

} // namespace

namespace EmfSample
{

std::vector<unsigned char> stainedGlass()
{
    char *memory = nullptr;
    size_t length = 0;
    FILE *stream = open_memstream(&memory, &length);
    if (!stream)
        return {};
    // The frame is in hundredths of a millimetre; libEMF's reference device has
    // 3.2 pixels to the millimetre.
    const RECT frame{0, 0, width * 1000 / 32, height * 1000 / 32};
    HDC dc = CreateEnhMetaFileWithFILEA(0, stream, &frame, "Tesselon\0vitral\0");
    std::vector<unsigned char> bytes;
    if (dc) {
        drawWindow(dc);
        HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(dc);
        std::fflush(stream);
        if (metafile) {
            bytes.assign(memory, memory + length);
            DeleteEnhMetaFile(metafile);
        }
    }
    std::fclose(stream);
    std::free(memory);
    return bytes;
}

} // namespace EmfSample
