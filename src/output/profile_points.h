// The four points of tooth i of a profile as (x, y) pairs, and the order in which the output
// stages walk the teeth.
#pragma once

#include "sprocket/tooth_profile.h"

namespace toothwright {

struct ProfilePoint {
  double x = 0, y = 0;
};

// Indices 1..N of the profile; the caller keeps i within them.
inline ProfilePoint Roller(const ToothProfile& p, int i) {
  return {p.RollerX[i], p.RollerY[i]};
}
inline ProfilePoint FlankStart(const ToothProfile& p, int i) {
  return {p.FlankStartX[i], p.FlankStartY[i]};
}
inline ProfilePoint Tip(const ToothProfile& p, int i) {
  return {p.TipX[i], p.TipY[i]};
}
inline ProfilePoint FlankEnd(const ToothProfile& p, int i) {
  return {p.FlankEndX[i], p.FlankEndY[i]};
}

// Calls tooth(i, j) for every tooth of the outline in order, j being the roller after i:
// teeth 1, 2, ... while i <= T - 1 (the bound worked out once, before the first tooth), then
// the closing tooth N, whose next roller is roller 1.
template <typename ToothFunction>
void ForEachTooth(double T, int N, ToothFunction&& tooth) {
  const double last_in_loop = T - 1;
  for (int i = 1; i <= last_in_loop; ++i) tooth(i, i + 1);
  tooth(N, 1);
}

}  // namespace toothwright
