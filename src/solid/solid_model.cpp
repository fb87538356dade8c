// The outline's segments become true edges: lines, and circles about the stored centres with
// the stored radii. The stored points are rounded to four decimals, so an arc's ends lie up to
// half a ten-thousandth off its circle; each vertex takes the gap as its tolerance, and the
// edges meeting there share it, so the wires close without moving any arc.
#include "solid/solid_model.h"

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <BRepPrimAPI_MakeTorus.hxx>
#include <BRep_Builder.hxx>
#include <ElCLib.hxx>
#include <GProp_GProps.hxx>
#include <Geom2dAPI_InterCurveCurve.hxx>
#include <Geom2d_Circle.hxx>
#include <Geom2d_Line.hxx>
#include <Geom_Circle.hxx>
#include <Geom_Line.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <Precision.hxx>
#include <Standard_Failure.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <algorithm>
#include <cmath>
#include <gp.hxx>
#include <gp_Circ.hxx>
#include <gp_Circ2d.hxx>
#include <gp_Pln.hxx>
#include <gp_Vec2d.hxx>
#include <limits>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "geometry/segment.h"
#include "solid/construction.h"
#include "solid/kernel_break.h"
#include "solid/sector_solid.h"
#include "solid/shape.h"

namespace toothwright {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// A vertex's tolerance grows to this multiple of the gap it must bridge, so that the check
// that the curve ends lie within it holds after the kernel's own rounding.
constexpr double kVertexToleranceMargin = 1.01;
// Segments whose directions at a joint differ by less than this sine meet tangentially: their
// curves touch rather than cross, and each edge simply ends where the joint point projects.
constexpr double kTangentTurn = 0.1;
// A corner's crossing is sought within this share of the shorter segment's length.
constexpr double kCornerReachShare = 0.25;

gp_Pnt At(Point p) {
  return gp_Pnt(p.x, p.y, 0);
}

// The curve of a segment with the parameters of its start and end.
struct SegmentCurve {
  Handle(Geom_Curve) curve;
  Handle(Geom2d_Curve) plane_curve;  // the same curve in the plane z = 0, for intersections
  double first = 0, last = 0;
};

// Parameter of the point on the curve nearest p.
double ParameterOf(const SegmentCurve& c, const gp_Pnt& p) {
  if (const auto line = Handle(Geom_Line)::DownCast(c.curve)) {
    return ElCLib::Parameter(line->Lin(), p);
  }
  return ElCLib::Parameter(Handle(Geom_Circle)::DownCast(c.curve)->Circ(), p);
}

SegmentCurve CurveOf(const Segment& s) {
  if (!IsArc(s)) {
    const gp_Vec along(At(s.start), At(s.end));
    const gp_Dir direction(along);
    return {new Geom_Line(At(s.start), direction),
            new Geom2d_Line(gp_Pnt2d(s.start.x, s.start.y), gp_Dir2d(direction.X(), direction.Y())),
            0, along.Magnitude()};
  }
  // A clockwise arc runs counter-clockwise about -z. The circle's parameter starts opposite the
  // arc's middle, so that the arc does not cross it, nor do two arcs of one circle that meet,
  // such as a seat split in two, which then join into one face on the circle as it is.
  const bool counter_clockwise = s.kind == SegmentKind::CounterClockwiseArc;
  const Point middle = PointAlong(s, SegmentLength(s) / 2);
  const gp_Circ circle(gp_Ax2(At(s.centre), counter_clockwise ? gp::DZ() : -gp::DZ(),
                              gp_Dir(s.centre.x - middle.x, s.centre.y - middle.y, 0)),
                       s.radius);
  const gp_Circ2d plane_circle(gp_Ax2d(gp_Pnt2d(s.centre.x, s.centre.y), gp::DX2d()), s.radius,
                               counter_clockwise);
  SegmentCurve c{new Geom_Circle(circle), new Geom2d_Circle(plane_circle), 0, 0};
  c.first = ParameterOf(c, At(s.start));
  c.last = ParameterOf(c, At(s.end));
  return c;
}

// Unit tangent of a segment at its start (at_end false) or end, from the stored geometry.
gp_Vec2d TangentOf(const Segment& s, bool at_end) {
  const Point t = Tangent(s, at_end ? s.end : s.start);
  return gp_Vec2d(t.x, t.y).Normalized();
}

// Where two segments that meet at a corner (not tangentially) cross: their curves' crossing
// nearest the stored corner point, when it lies within reach of it.
std::optional<gp_Pnt> Crossing(const SegmentCurve& before, const SegmentCurve& after,
                               const gp_Pnt& corner, double reach) {
  Geom2dAPI_InterCurveCurve crossings(before.plane_curve, after.plane_curve,
                                      Precision::Confusion());
  std::optional<gp_Pnt> nearest;
  for (int i = 1; i <= crossings.NbPoints(); ++i) {
    const gp_Pnt p(crossings.Point(i).X(), crossings.Point(i).Y(), 0);
    if (p.Distance(corner) <= reach &&
        (!nearest || p.Distance(corner) < nearest->Distance(corner))) {
      nearest = p;
    }
  }
  return nearest;
}

}  // namespace

// A closed wire through the path's points, one vertex per point shared by the two edges that
// meet there. At a corner the stored point lies off both curves (it is rounded), and near a
// sharp corner the curves would cross each other beside the vertex; there both edges end at
// the curves' own crossing instead, and the vertex's tolerance reaches it.
TopoDS_Wire WireOf(const Path& path) {
  const size_t n = path.segments.size();
  std::vector<SegmentCurve> curves;
  curves.reserve(n);
  for (const Segment& s : path.segments) curves.push_back(CurveOf(s));
  std::vector<double> tolerance(n, Precision::Confusion());
  for (size_t i = 0; i < n; ++i) {
    const Segment& s_before = path.segments[(i + n - 1) % n];
    const Segment& s_after = path.segments[i];
    SegmentCurve& before = curves[(i + n - 1) % n];
    SegmentCurve& after = curves[i];
    const gp_Pnt p = At(s_after.start);
    const double turn = std::fabs(TangentOf(s_before, true).Crossed(TangentOf(s_after, false)));
    if (turn > kTangentTurn) {
      const double reach =
          kCornerReachShare * std::min(SegmentLength(s_before), SegmentLength(s_after));
      if (const std::optional<gp_Pnt> x = Crossing(before, after, p, reach)) {
        before.last = ParameterOf(before, *x);
        after.first = ParameterOf(after, *x);
      }
    }
    tolerance[i] = std::max({tolerance[i], p.Distance(before.curve->Value(before.last)),
                             p.Distance(after.curve->Value(after.first))});
  }
  BRep_Builder builder;
  std::vector<TopoDS_Vertex> vertices(n);
  for (size_t i = 0; i < n; ++i) {
    builder.MakeVertex(vertices[i], At(path.segments[i].start),
                       kVertexToleranceMargin * tolerance[i]);
  }
  BRepBuilderAPI_MakeWire wire;
  for (size_t i = 0; i < n; ++i) {
    SegmentCurve& c = curves[i];
    if (IsArc(path.segments[i])) {
      while (c.last <= c.first) c.last += kTwoPi;  // an arc whose ends coincide is a full circle
    }
    wire.Add(BRepBuilderAPI_MakeEdge(c.curve, vertices[i], vertices[(i + 1) % n], c.first, c.last)
                 .Edge());
  }
  return wire.Wire();
}

namespace {

// The outline's face in the plane z = 0, holes out.
TopoDS_Face FaceOf(const SolidPart& part) {
  BRepBuilderAPI_MakeFace face(gp_Pln(gp::XOY()), WireOf(part.outline));
  for (const Path& hole : part.holes) face.Add(WireOf(hole));
  return face.Face();
}

}  // namespace

// The part's face extruded from z = bottom to z = top.
TopoDS_Shape Prism(const TopoDS_Face& face, double bottom, double top) {
  gp_Trsf lift;
  lift.SetTranslation(gp_Vec(0, 0, bottom));
  const TopoDS_Shape lifted = BRepBuilderAPI_Transform(face, lift, true).Shape();
  return BRepPrimAPI_MakePrism(lifted, gp_Vec(0, 0, top - bottom)).Shape();
}

namespace {

// Whether the direction (x, y) from an arc's centre lies on the arc.
bool OnArc(const Segment& arc, double x, double y) {
  const double start = std::atan2(arc.start.y - arc.centre.y, arc.start.x - arc.centre.x);
  double turn = std::atan2(y, x) - start;
  if (arc.kind == SegmentKind::ClockwiseArc) turn = -turn;
  turn = std::fmod(std::fmod(turn, kTwoPi) + kTwoPi, kTwoPi);
  const double sweep = Sweep(arc);
  return turn <= (sweep == 0 ? kTwoPi : sweep);
}

// The least and greatest distance of the path from the part's centre.
struct Reach {
  double least = 0, most = 0;
};

Reach ReachOf(const Path& path) {
  Reach reach{std::numeric_limits<double>::infinity(), 0};
  auto take = [&reach](double d) {
    reach.least = std::min(reach.least, d);
    reach.most = std::max(reach.most, d);
  };
  for (const Segment& s : path.segments) {
    take(std::hypot(s.start.x, s.start.y));
    if (!IsArc(s)) {
      // The foot of the perpendicular from the centre, where it falls on the line.
      const double dx = s.end.x - s.start.x, dy = s.end.y - s.start.y;
      const double length2 = dx * dx + dy * dy;
      const double t = length2 > 0 ? -(s.start.x * dx + s.start.y * dy) / length2 : 0;
      if (t > 0 && t < 1) take(std::hypot(s.start.x + t * dx, s.start.y + t * dy));
      continue;
    }
    const double c = std::hypot(s.centre.x, s.centre.y);
    if (c == 0) continue;  // exact: every point of the arc is one radius away
    const double ux = s.centre.x / c, uy = s.centre.y / c;
    if (OnArc(s, ux, uy)) take(c + s.radius);
    if (OnArc(s, -ux, -uy)) take(std::fabs(c - s.radius));
  }
  return reach;
}

// A point of the revolved profile: r from the axis, z along it.
gp_Pnt Profile(double r, double z) {
  return gp_Pnt(r, 0, z);
}

// A closed polygon in the plane y = 0, r >= 0, turned once about the part's axis: its lines
// become planes and cylinders about the axis.
TopoDS_Shape Revolved(const std::vector<gp_Pnt>& corners) {
  BRepBuilderAPI_MakeWire wire;
  for (size_t i = 0; i < corners.size(); ++i) {
    const gp_Pnt& next = corners[(i + 1) % corners.size()];
    // Without chamfer a side's ring has no depth: its corners fall together.
    if (corners[i].IsEqual(next, Precision::Confusion())) continue;
    wire.Add(BRepBuilderAPI_MakeEdge(corners[i], next).Edge());
  }
  const TopoDS_Face face = BRepBuilderAPI_MakeFace(wire.Wire(), true).Face();
  return BRepPrimAPI_MakeRevol(face, gp_Ax1(gp::Origin(), gp::DZ()), kTwoPi).Shape();
}

// The tooth side profile in a section through the axis: an arc of the side radius about
// (start, side + radius towards the material), tangent to the side at r = start, that
// narrows the tooth by the chamfer at the tip circle and runs on to r = outer.
struct SideProfile {
  bool chamfer = false;
  double start = 0;   // r where the arc leaves the side; the seat circle without chamfer
  double radius = 0;  // the side radius
  double outer = 0;   // r where the cut ends, beyond the tip circle
  double reach = 0;   // how far the cut reaches into the row, between the tip's chamfer and
                      // the depth at outer
  // How far the side lies inside its plane at r (start <= r <= outer).
  double Depth(double r) const {
    if (!chamfer) return 0;
    const double d = r - start;
    return radius - std::sqrt(radius * radius - d * d);
  }
};

SideProfile SideProfileOf(const SolidPart& part, const Reach& reach) {
  // The cut reaches past the tip circle by this share of the pitch, so that no tooth is left
  // with a sliver of its side.
  constexpr double kOuterMarginShare = 0.1;
  SideProfile side;
  side.outer = reach.most + kOuterMarginShare * part.pitch;
  side.start = reach.least;
  if (!part.chamfer) return side;
  side.chamfer = true;
  const double g = part.chamfer_share * part.pitch;
  side.radius = part.pitch;
  side.start = reach.most - std::sqrt(2 * side.radius * g - g * g);
  if (side.start < reach.least) {
    // A tooth too short for the side radius: the arc starts at the seats and is made tighter,
    // so that the tip is still narrowed by g and the part is full width below the seats.
    side.start = reach.least;
    const double d = reach.most - side.start;
    side.radius = (d * d + g * g) / (2 * g);
  }
  // Past the tip the arc goes no deeper than half as much again as the chamfer, so that the
  // cut stays within a row that is wider than both its chamfers.
  constexpr double kOuterDepthShare = 1.5;
  const double deepest = kOuterDepthShare * g;
  side.outer =
      std::min(side.outer, side.start + std::sqrt(2 * side.radius * deepest - deepest * deepest));
  side.reach = (g + side.Depth(side.outer)) / 2;
  return side;
}

// The solid of revolution inside a chamfered side at z = side, material towards `into` (+1 or
// -1): bounded by the side's plane out to the arc's start, the side radius's torus out to
// `outer`, and the plane there; its faces are true planes and a true torus.
TopoDS_Shape Lens(const SideProfile& s, double side, double into) {
  const double sweep = std::asin((s.outer - s.start) / s.radius);
  const double half_pi = std::numbers::pi / 2;
  // Angles about the torus's tube run from 0 at its outermost circle, pi / 2 at its top; the
  // kernel wants them increasing and from 0 up (a lower side's arc from 3 pi / 2, its
  // lowest circle; a negative start gave an empty lens).
  const double first = into > 0 ? 3 * half_pi : half_pi - sweep;
  const double last = into > 0 ? 3 * half_pi + sweep : half_pi;
  return BRepPrimAPI_MakeTorus(gp_Ax2(gp_Pnt(0, 0, side + into * s.radius), gp::DZ()), s.start,
                               s.radius, first, last)
      .Shape();
}

// The shape less the tools; breaker may break the cut off, which then fails.
TopoDS_Shape Cut(const TopoDS_Shape& shape, const TopTools_ListOfShape& tools,
                 const Handle(Message_ProgressIndicator) & breaker) {
  TopTools_ListOfShape arguments;
  arguments.Append(shape);
  BRepAlgoAPI_Cut cut;
  cut.SetArguments(arguments);
  cut.SetTools(tools);
  cut.SetToFillHistory(false);  // nothing asks which face became which
  // On one core: on two the intersections took more processor time than they saved on the
  // clock.
  cut.SetRunParallel(false);
  cut.Build(Message_ProgressIndicator::Start(breaker));
  if (!cut.IsDone()) throw Standard_Failure("the boolean cut failed");
  return cut.Shape();
}

// A cutter: the polygon revolved, less the lenses of the chamfered sides it holds.
TopoDS_Shape Cutter(const std::vector<gp_Pnt>& corners, const SideProfile& s,
                    const std::vector<std::pair<double, double>>& sides,
                    const Handle(Message_ProgressIndicator) & breaker) {
  const TopoDS_Shape revolved = Revolved(corners);
  if (!s.chamfer) return revolved;
  TopTools_ListOfShape lenses;
  for (const auto& [side, into] : sides) lenses.Append(Lens(s, side, into));
  return Cut(revolved, lenses, breaker);
}

}  // namespace

// The part with a chamfer, a hub or several rows: the face extruded past both sides, less
// what lies outside the part, revolved. A chamfered side's cutter holds, besides what lies
// beyond the side, a ring from r_in to `outer` reaching `reach` into the row, less the side's
// lens: what stays of the ring is the chamfer.
TopoDS_Shape ShapedSolid(const SolidPart& part, const TopoDS_Face& face,
                         const Handle(Message_ProgressIndicator) & breaker) {
  const Reach reach = ReachOf(part.outline);
  const SideProfile s = SideProfileOf(part, reach);
  const double hub_r = part.hub ? part.hub->diameter / 2 : 0;
  const double hub_length = part.hub ? part.hub->length : 0;
  const double height = (part.strands - 1) * part.transverse_pitch + part.thickness;
  if (s.chamfer && !(part.thickness > 2 * part.chamfer_share * part.pitch)) {
    throw Standard_Failure("the teeth are too thin for the tooth side chamfer");
  }
  // Where a chamfered side's ring starts: between the hub or web and the arc's start.
  const double r_in = (std::max({hub_r, part.strands > 1 ? part.web_radius : 0.0}) + s.start) / 2;
  const double in = s.chamfer ? r_in : s.start;
  const double dip = s.chamfer ? s.reach : 0;
  // The extrusion overruns each side by a pitch; the cutters overrun it by another.
  const double margin = part.pitch;
  const double bottom = -hub_length - margin, top = height + margin;

  TopTools_ListOfShape cutters;
  std::vector<gp_Pnt> below{Profile(0, bottom - margin), Profile(s.outer, bottom - margin),
                            Profile(s.outer, dip), Profile(in, dip), Profile(in, 0)};
  if (part.hub) {
    for (const gp_Pnt& p :
         {Profile(hub_r, 0), Profile(hub_r, -hub_length), Profile(0, -hub_length)}) {
      below.push_back(p);
    }
  } else {
    below.push_back(Profile(0, 0));
  }
  cutters.Append(Cutter(below, s, {{0.0, +1.0}}, breaker));
  cutters.Append(Cutter(
      {Profile(0, top + margin), Profile(0, height), Profile(in, height), Profile(in, height - dip),
       Profile(s.outer, height - dip), Profile(s.outer, top + margin)},
      s, {{height, -1.0}}, breaker));
  for (int k = 0; k + 1 < part.strands; ++k) {  // between rows, beyond the web
    const double upper = k * part.transverse_pitch + part.thickness;
    const double lower = (k + 1) * part.transverse_pitch;
    cutters.Append(
        Cutter({Profile(part.web_radius, upper), Profile(in, upper), Profile(in, upper - dip),
                Profile(s.outer, upper - dip), Profile(s.outer, lower + dip),
                Profile(in, lower + dip), Profile(in, lower), Profile(part.web_radius, lower)},
               s, {{upper, -1.0}, {lower, +1.0}}, breaker));
  }
  return Cut(Prism(face, bottom, top), cutters, breaker);
}

namespace {

int CountSolids(const TopoDS_Shape& shape) {
  int count = 0;
  for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) ++count;
  return count;
}

// The one valid solid in what a construction built (booleans wrap it in a compound), or why
// there is none.
std::variant<TopoDS_Shape, SolidError> OnlySolid(const TopoDS_Shape& built) {
  if (CountSolids(built) != 1) {
    return SolidError{"The solid could not be built: it falls apart into several pieces."};
  }
  const TopoDS_Shape solid = TopExp_Explorer(built, TopAbs_SOLID).Current();
  if (!BRepCheck_Analyzer(solid).IsValid()) {
    return SolidError{"The solid could not be built: the kernel finds it invalid."};
  }
  return solid;
}

}  // namespace

void SilenceKernel() {
  // Done once for the process; a static local's initialisation is thread-safe.
  static const bool silenced = [] {
    Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
    return true;
  }();
  (void)silenced;
}

std::variant<SolidModel, SolidError> BuildSolid(const SolidPart& part,
                                                const ModelProgress* progress) {
  SilenceKernel();
  const Handle(Message_ProgressIndicator) breaker = KernelBreakFor(progress);
  auto shape = std::make_shared<SolidModel::Shape>();
  shape->unit = part.unit;
  shape->mesh_tolerance = part.mesh_tolerance;
  // The sectors where they can be made and give one valid solid, the whole face otherwise.
  if (std::optional<TopoDS_Shape> sectors = SectorSolid(part, breaker)) {
    auto solid = OnlySolid(*sectors);
    if (auto* built = std::get_if<TopoDS_Shape>(&solid)) {
      shape->solid = *built;
      return SolidModel(std::move(shape));
    }
  }
  TopoDS_Shape built;
  try {
    const TopoDS_Face face = FaceOf(part);
    if (!part.chamfer && !part.hub && part.strands == 1) {
      built = Prism(face, 0, part.thickness);
    } else {
      built = ShapedSolid(part, face, breaker);
    }
  } catch (const Standard_Failure& failure) {
    return SolidError{std::string("The solid could not be built: ") + failure.GetMessageString()};
  }
  auto solid = OnlySolid(built);
  if (auto* error = std::get_if<SolidError>(&solid)) return *error;
  shape->solid = std::get<TopoDS_Shape>(std::move(solid));
  return SolidModel(std::move(shape));
}

double Volume(const SolidModel& model) {
  GProp_GProps properties;
  BRepGProp::VolumeProperties(model.shape().solid, properties);
  return properties.Mass();
}

}  // namespace toothwright
