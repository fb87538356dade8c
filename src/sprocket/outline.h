// The sprocket's outline as one closed path in cutting order, built once per run from the
// tooth profile and walked by every output stage.
#pragma once

#include "geometry/path.h"
#include "sprocket/tooth_profile.h"

namespace toothwright {

// Tooth i (next roller j) runs from FlankStart(i) counter-clockwise about roller j to the
// tip, counter-clockwise about roller i to FlankEnd(i), then clockwise about roller j round
// its seat to FlankStart(j). A topped tooth has its top arc between the two flanks,
// counter-clockwise about the sprocket centre. Teeth come in the order 1, 2, ... while
// i <= T - 1, then the closing tooth N, whose next roller is roller 1; the path starts at
// FlankStart(1).
struct OutlineRadii {
  double flank = 0;  // every flank, as the profile was constructed
  double seat = 0;   // every roller seat, as the profile was constructed
  double top = 0;    // the top circle of topped teeth; unused for pointed teeth
};
Path BuildOutline(const ToothProfile& profile, double T, int N, const OutlineRadii& radii);

// Tooth i (1..N) as BuildOutline draws it, flanks, top and the seat that follows, but through the
// turned points before their rounding (TurnTooth of tooth i, the next roller and flank start of
// tooth i + 1): every tooth is tooth 1's turned through (i - 1) tooth angles, where the outline's
// teeth lie up to 1e-4 from it, each rounded on its own.
Path UnroundedTooth(const ToothForm& form, double ToothAngle, int i, const OutlineRadii& radii);

// Whether an arc of the path would be misread once the program writes it: its ends coincide,
// which a controller cuts as a full circle, or its offsets from start to centre round to zero
// at four decimals, which leave it no radius. The run refuses fields that give such an arc.
bool HasUnwritableArc(const Path& path);

}  // namespace toothwright
