// The four points of tooth i of a profile as (x, y) pairs, for the output stages.
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

}  // namespace toothwright
