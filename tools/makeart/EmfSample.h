#pragma once

#include <vector>

// The enhanced-metafile sample, drawn through libEMF. Its wine-style Windows headers do
// not mix with Qt's, so this unit speaks plain bytes.
namespace EmfSample
{

// A stained-glass window of 800 x 600 pixels (a frame of 250 x 187.5 mm at libEMF's
// 3.2 pixels per millimetre). Empty if libEMF fails.
std::vector<unsigned char> stainedGlass();

} // namespace EmfSample
