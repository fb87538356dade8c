// What a chain's standard says about the sprocket's section across the teeth: the tooth width,
// the tooth side chamfer, and how large a body between rows of teeth may be and stay clear of
// the chain's link plates.
#pragma once

#include <optional>

#include "numbers/units.h"
#include "sprocket/chain_sizes.h"

namespace toothwright {

// The tooth width of a sprocket with strands rows of teeth (>= 1) for the chain, in unit. ANSI
// rows: 0.93 W - 0.006 in for one strand, 0.90 W - 0.006 in for two or three, 0.88 W - 0.006 in for
// four or more. ISO 606 B rows: 0.93 W for pitches up to 12.7 mm and 0.95 W above for one strand,
// 0.91 W and 0.93 W for several. W is the row's inner width; nullopt when the row gives none.
std::optional<double> StandardToothWidth(const ChainSize& chain, int strands, LengthUnit unit);

// How far the tooth side chamfer narrows the tooth tip on each side, as a share of the pitch:
// 0.13 for ISO 606 B rows, 0.125 (ANSI B29.1's) for every other chain.
double ChamferShare(ChainStandard standard);

// The largest diameter a hub or a body between rows of teeth may have and stay clear of the
// link plates of a chain on teeth whole teeth (>= 3): P (cot(180 deg / teeth) - 1) - 0.030 in
// (0.762 mm), ANSI B29.1's maximum hub diameter; pitch and result in unit.
double PlateClearanceDiameter(double pitch, int teeth, LengthUnit unit);

}  // namespace toothwright
