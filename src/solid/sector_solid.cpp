// The sector's outer edge is the unrounded tooth, whose copies lie as close to every rounded
// tooth of the outline as the rounding allows; its sides are radial through the roller centres,
// so that neighbouring copies meet face to face, as does each with the core's cylinder. Pieces
// that only touch are joined without intersecting their faces, which is what makes this quick:
// the tori of the chamfer meet the tooth's flanks and seats in one sector only.
#include "solid/sector_solid.h"

#include <BOPAlgo_GlueEnum.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom2d_Circle.hxx>
#include <Geom2d_Line.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <GeomProjLib.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_Plane.hxx>
#include <ShapeUpgrade_UnifySameDomain.hxx>
#include <Standard_Failure.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <algorithm>
#include <cmath>
#include <gp.hxx>
#include <gp_Circ.hxx>
#include <gp_Pln.hxx>
#include <gp_Trsf.hxx>
#include <numbers>

#include "solid/construction.h"

namespace toothwright {
namespace {

// With fewer teeth a sector's sides stand too far apart for it to pay: the whole face is used.
constexpr int kLeastTeeth = 3;

// p moved along its direction from the centre to `length` from it.
Point AtDistance(Point p, double length) {
  const double r = std::hypot(p.x, p.y);
  return {p.x * length / r, p.y * length / r};
}

// The farthest any hole reaches from the part's centre (an arc's whole circle counts).
double HolesReach(const SolidPart& part) {
  double reach = 0;
  for (const Path& hole : part.holes) {
    for (const Segment& s : hole.segments) {
      reach = std::max(reach, IsArc(s) ? std::hypot(s.centre.x, s.centre.y) + s.radius
                                       : std::hypot(s.start.x, s.start.y));
    }
  }
  return reach;
}

// The tooth's sector: out along the radius through its roller to the seat's innermost point,
// half that seat, the tooth, half the next seat, in along the radius through the next roller
// and back round the core circle.
Path SectorPath(const Path& tooth, double core) {
  const Segment& seat = tooth.segments.back();                       // about the next roller
  const Segment& flank = tooth.segments[tooth.segments.size() - 2];  // about the tooth's roller
  const Point roller = flank.centre, next = seat.centre;
  const Point in = AtDistance(roller, std::hypot(roller.x, roller.y) - seat.radius);
  const Point next_in = AtDistance(next, std::hypot(next.x, next.y) - seat.radius);
  const Point from = AtDistance(roller, core), to = AtDistance(next, core);
  using enum SegmentKind;
  using enum SegmentRole;
  Path path;
  path.segments.push_back({Line, Seat, from, in});
  path.segments.push_back(
      {ClockwiseArc, Seat, in, tooth.segments.front().start, roller, seat.radius});
  path.segments.insert(path.segments.end(), tooth.segments.begin(), tooth.segments.end() - 1);
  path.segments.push_back({ClockwiseArc, Seat, seat.start, next_in, next, seat.radius});
  path.segments.push_back({Line, Seat, next_in, to});
  path.segments.push_back({ClockwiseArc, Seat, to, from, Point{}, core});
  return path;
}

TopoDS_Shape FirstSolid(const TopoDS_Shape& shape) {
  TopExp_Explorer e(shape, TopAbs_SOLID);
  if (!e.More()) throw Standard_Failure("a piece of the part came out empty");
  return e.Current();
}

// The core: the circle of the given radius less the holes, shaped by the hub and the rows as
// the whole part is.
TopoDS_Shape Core(const SolidPart& part, double radius,
                  const Handle(Message_ProgressIndicator) & breaker) {
  const TopoDS_Edge circle = BRepBuilderAPI_MakeEdge(gp_Circ(gp::XOY(), radius)).Edge();
  BRepBuilderAPI_MakeFace face(gp_Pln(gp::XOY()), BRepBuilderAPI_MakeWire(circle).Wire());
  for (const Path& hole : part.holes) face.Add(WireOf(hole));
  if (!part.hub && part.strands == 1) return Prism(face.Face(), 0, part.thickness);
  SolidPart plain = part;
  plain.chamfer = false;
  return FirstSolid(ShapedSolid(plain, face.Face(), breaker));
}

// The edge's curve on the face as a line or circle of the face's parameters, where it is one
// (any curve of a plane, a circle about a cylinder's axis); null otherwise.
Handle(Geom2d_Curve) AnalyticCurveOn(const TopoDS_Edge& edge, const TopoDS_Face& face) {
  double first = 0, last = 0;
  TopLoc_Location edge_location, face_location;
  Handle(Geom_Curve) curve = BRep_Tool::Curve(edge, edge_location, first, last);
  const Handle(Geom_Surface)& surface = BRep_Tool::Surface(face, face_location);
  if (curve.IsNull()) return nullptr;
  const gp_Trsf to_face =
      face_location.Transformation().Inverted() * edge_location.Transformation();
  curve = Handle(Geom_Curve)::DownCast(curve->Transformed(to_face));
  const Handle(Geom2d_Curve) on_face = GeomProjLib::Curve2d(curve, first, last, surface);
  Handle(Geom2d_Curve) basis = on_face;
  if (const auto trimmed = Handle(Geom2d_TrimmedCurve)::DownCast(basis)) {
    basis = trimmed->BasisCurve();
  }
  const bool analytic = !basis.IsNull() && (basis->IsKind(STANDARD_TYPE(Geom2d_Line)) ||
                                            basis->IsKind(STANDARD_TYPE(Geom2d_Circle)));
  return analytic ? on_face : nullptr;
}

// Gives the edges of planes and cylinders their curves on the face as lines and circles. The
// merge of faces leaves the edges it joined with splines there, and a plane's edges may have
// none; the STEP writer works out a face's extent from its edges' curves for each of its edges,
// so on the large planar sides every spline and missing curve costs once per edge of the side.
void UseAnalyticCurves(const TopoDS_Shape& shape) {
  BRep_Builder builder;
  for (TopExp_Explorer f(shape, TopAbs_FACE); f.More(); f.Next()) {
    const TopoDS_Face& face = TopoDS::Face(f.Current());
    const Handle(Geom_Surface) surface = BRep_Tool::Surface(face);
    if (!surface->IsKind(STANDARD_TYPE(Geom_Plane)) &&
        !surface->IsKind(STANDARD_TYPE(Geom_CylindricalSurface))) {
      continue;
    }
    for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
      const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
      if (BRep_Tool::IsClosed(edge, face)) continue;  // a seam has two curves on the face
      double first = 0, last = 0;
      bool stored = false;
      const Handle(Geom2d_Curve) current =
          BRep_Tool::CurveOnSurface(edge, face, first, last, &stored);
      if (stored && !current->IsKind(STANDARD_TYPE(Geom2d_BSplineCurve))) continue;
      if (const Handle(Geom2d_Curve) analytic = AnalyticCurveOn(edge, face)) {
        builder.UpdateEdge(edge, analytic, face, BRep_Tool::Tolerance(edge));
      }
    }
  }
}

TopoDS_Shape Sectors(const SolidPart& part, int teeth, double core,
                     const Handle(Message_ProgressIndicator) & breaker) {
  const TopoDS_Face face =
      BRepBuilderAPI_MakeFace(gp_Pln(gp::XOY()), WireOf(SectorPath(part.tooth, core))).Face();
  TopoDS_Shape sector;
  if (part.chamfer) {
    SolidPart row = part;
    row.hub.reset();
    row.strands = 1;
    sector = FirstSolid(ShapedSolid(row, face, breaker));
  } else {
    sector = Prism(face, 0, part.thickness);
  }

  // Copies with their geometry moved (not placed by a location), as the joining wants them.
  TopTools_ListOfShape core_piece, copies;
  core_piece.Append(Core(part, core, breaker));
  const double step = 2 * std::numbers::pi / teeth;
  for (int row = 0; row < part.strands; ++row) {
    for (int k = 0; k < teeth; ++k) {
      gp_Trsf turn, lift;
      turn.SetRotation(gp::OZ(), k * step);
      lift.SetTranslation(gp_Vec(0, 0, row * part.transverse_pitch));
      copies.Append(BRepBuilderAPI_Transform(sector, lift * turn, true).Shape());
    }
  }
  BRepAlgoAPI_Fuse fuse;
  fuse.SetArguments(core_piece);
  fuse.SetTools(copies);
  // The pieces share whole faces or parts of them and never cross: no face is intersected.
  fuse.SetGlue(BOPAlgo_GlueFull);
  fuse.SetToFillHistory(false);
  fuse.Build();
  if (!fuse.IsDone()) throw Standard_Failure("the sectors could not be joined");

  // The faces the joints split (the sides, the seats) made one again, and their edges.
  ShapeUpgrade_UnifySameDomain unify(fuse.Shape(), true, true, false);
  unify.Build();
  const TopoDS_Shape joined = unify.Shape();
  UseAnalyticCurves(joined);
  return joined;
}

}  // namespace

std::optional<TopoDS_Shape> SectorSolid(const SolidPart& part,
                                        const Handle(Message_ProgressIndicator) & breaker) {
  const int teeth = HighestTooth(part.outline);
  if (part.tooth.segments.size() < 3 || teeth < kLeastTeeth) return std::nullopt;
  // A plain row is its face extruded, quicker than any joining.
  if (!part.chamfer && !part.hub && part.strands == 1) return std::nullopt;
  const Segment& seat = part.tooth.segments.back();
  const double seats = std::hypot(seat.centre.x, seat.centre.y) - seat.radius;
  const double inner = std::max({HolesReach(part), part.hub ? part.hub->diameter / 2 : 0,
                                 part.strands > 1 ? part.web_radius : 0});
  if (!(inner < seats)) return std::nullopt;
  try {
    return Sectors(part, teeth, (inner + seats) / 2, breaker);
  } catch (const Standard_Failure&) {
    return std::nullopt;
  }
}

}  // namespace toothwright
