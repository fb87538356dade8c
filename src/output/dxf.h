// The DXF drawing: one ENTITIES section of ARC entities, three per tooth, on layer 0;
// every line ends in CR LF.
#pragma once

#include <string>

#include "sprocket/tooth_profile.h"

namespace toothwright {

// The DXF text for profile (indices 1..N; T bounds the tooth loop); radii as given.
std::string WriteDxf(const ToothProfile& profile, double FlankRadius, double RollerRadius, double T,
                     int N);

}  // namespace toothwright
