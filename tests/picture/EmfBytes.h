#pragma once

#include <QByteArray>

// Enhanced metafiles made with libEMF in memory. libEMF's Windows headers clash with Qt's,
// so they stay in EmfBytes.cpp.
namespace EmfBytes {

// A frame of 100 x 75 mm (320 x 240 pixels on libEMF's reference device): a green
// (0, 128, 0) field over the whole frame with a red (255, 0, 0) ellipse over its middle half.
QByteArray greenFieldRedEllipse();

} // namespace EmfBytes
