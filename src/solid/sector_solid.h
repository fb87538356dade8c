// The part as one tooth sector turned round its axis: the sector, from one seat's innermost
// point to the next and down to a core circle, is built (and chamfered) once, copied to every
// tooth and row, and joined to the core (holes, hub and the body between rows); the faces the
// joints split are merged again.
#pragma once

#include <Message_ProgressIndicator.hxx>
#include <TopoDS_Shape.hxx>
#include <optional>

#include "solid/solid_part.h"

namespace toothwright {

// The part built from sectors, unchecked; nullopt where that construction is not used or
// fails: a plain single row (its face extruded is quicker), no unrounded tooth, fewer than three
// teeth, holes, hub or web reaching the seats, or the kernel failing (or breaker breaking its
// work off).
std::optional<TopoDS_Shape> SectorSolid(const SolidPart& part,
                                        const Handle(Message_ProgressIndicator) & breaker);

}  // namespace toothwright
