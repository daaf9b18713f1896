#include "EmfBytes.h"

#include <cstdio>
#include <cstdlib>

// libEMF's Windows headers define min and max as macros: they come last.
#include <libEMF/emf.h>

namespace EmfBytes {

QByteArray greenFieldRedEllipse()
{
    char *memory = nullptr;
    size_t length = 0;
    FILE *stream = open_memstream(&memory, &length);
    if (!stream)
        return {};
    const RECT frame{0, 0, 10000, 7500};
    HDC dc = CreateEnhMetaFileWithFILEA(0, stream, &frame, "test\0");
    QByteArray bytes;
    if (dc) {
        HGDIOBJ noPen = SelectObject(dc, GetStockObject(NULL_PEN));
        HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
        HGDIOBJ previous = SelectObject(dc, green);
        Rectangle(dc, 0, 0, 321, 241);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        SelectObject(dc, red);
        Ellipse(dc, 80, 60, 240, 180);
        SelectObject(dc, previous);
        SelectObject(dc, noPen);
        DeleteObject(green);
        DeleteObject(red);
        HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(dc);
        std::fflush(stream);
        if (metafile) {
            bytes = QByteArray(memory, qsizetype(length));
            DeleteEnhMetaFile(metafile);
        }
    }
    std::fclose(stream);
    std::free(memory);
    return bytes;
}

} // namespace EmfBytes
