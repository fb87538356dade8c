// Chain sizes are held in inches; millimetre texts are made from the products with 25.4 at
// 15 significant digits, so 0.375 * 25.4 (9.524999999999999 in binary) shows as 9.525.
#include "sprocket/chain_sizes.h"

#include "numbers/numbers.h"
#include "numbers/units.h"

namespace toothwright {

std::optional<ChainSize> FindChainSize(std::string_view name) {
  for (const ChainSize& row : ChainSizeTable) {
    if (name == row.name) return row;
  }
  return std::nullopt;
}

LengthTexts SetChainSize(double pitch, double roller, LengthUnit unit) {
  if (unit == LengthUnit::Inch) return {FormatReal(pitch), FormatReal(roller)};
  return {FormatReal(pitch * kMillimetresPerInch), FormatReal(roller * kMillimetresPerInch)};
}

}  // namespace toothwright
