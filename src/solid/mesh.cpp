// The kernel meshes every face to the chord tolerance; the faces' meshes meet on the edges'
// common discretization, so the corners there are the same points and are joined into one
// vertex by their coordinates.
#include "solid/mesh.h"

#include <BRepBuilderAPI_Copy.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>
#include <IMeshTools_Parameters.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp_Explorer.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>

#include "solid/kernel_break.h"
#include "solid/shape.h"

namespace toothwright {
namespace {

// The mesher's angular deflection, radians: small arcs get a facet every half radian at most
// even where the chord tolerance would allow fewer.
constexpr double kAngularDeflection = 0.5;
// Faces are meshed one after the other: on two cores the mesher took a tenth more processor
// time for a few hundredths of a second less on the clock.
constexpr bool kInParallel = false;

// Mesh vertices closer than this share of the chord tolerance are one point: the mesher
// places nodes no closer than a tenth of it, but now and then puts one a rounding away from a
// node of the face's edge, which leaves a sliver of no width that readers cannot orient.
constexpr double kWeldShare = 1e-3;

// The mesh with vertices closer than `distance` joined into the first of them, and the
// triangles that joining leaves without area dropped: a sliver and its neighbour across the
// short edge go, and the triangles round them close up over the joined vertex.
TriangleMesh Welded(const TriangleMesh& mesh, double distance) {
  const size_t n = mesh.vertices.size();
  std::vector<std::uint32_t> by_x(n);
  for (size_t i = 0; i < n; ++i) by_x[i] = static_cast<std::uint32_t>(i);
  std::sort(by_x.begin(), by_x.end(), [&mesh](std::uint32_t a, std::uint32_t b) {
    return mesh.vertices[a][0] < mesh.vertices[b][0] ||
           (mesh.vertices[a][0] == mesh.vertices[b][0] && a < b);
  });
  // Each vertex points to one it is joined to, with a lower number, or to itself.
  std::vector<std::uint32_t> joined(n);
  for (size_t i = 0; i < n; ++i) joined[i] = static_cast<std::uint32_t>(i);
  const auto first = [&joined](std::uint32_t v) {
    while (joined[v] != v) v = joined[v];
    return v;
  };
  for (size_t i = 0; i < n; ++i) {
    const auto& p = mesh.vertices[by_x[i]];
    for (size_t j = i + 1; j < n && mesh.vertices[by_x[j]][0] - p[0] < distance; ++j) {
      const auto& q = mesh.vertices[by_x[j]];
      if (std::hypot(q[0] - p[0], q[1] - p[1], q[2] - p[2]) >= distance) continue;
      const std::uint32_t a = first(by_x[i]), b = first(by_x[j]);
      joined[std::max(a, b)] = std::min(a, b);
    }
  }
  TriangleMesh welded;
  welded.unit = mesh.unit;
  std::vector<std::uint32_t> index(n, UINT32_MAX);
  for (size_t i = 0; i < n; ++i) {
    const std::uint32_t kept = first(static_cast<std::uint32_t>(i));
    if (index[kept] == UINT32_MAX) {
      index[kept] = static_cast<std::uint32_t>(welded.vertices.size());
      welded.vertices.push_back(mesh.vertices[kept]);
    }
    index[i] = index[kept];
  }
  for (const auto& t : mesh.triangles) {
    const std::array<std::uint32_t, 3> u{index[t[0]], index[t[1]], index[t[2]]};
    if (u[0] != u[1] && u[1] != u[2] && u[2] != u[0]) welded.triangles.push_back(u);
  }
  return welded;
}

// Whether every edge is run along by exactly one triangle in each direction.
bool Closed(const TriangleMesh& mesh) {
  std::map<std::pair<std::uint32_t, std::uint32_t>, int> runs;
  for (const auto& t : mesh.triangles) {
    for (int k = 0; k < 3; ++k) ++runs[{t[k], t[(k + 1) % 3]}];
  }
  for (const auto& [edge, count] : runs) {
    const auto back = runs.find({edge.second, edge.first});
    if (count != 1 || back == runs.end() || back->second != 1) return false;
  }
  return !mesh.triangles.empty();
}

}  // namespace

std::variant<TriangleMesh, SolidError> MeshSolid(const SolidModel& model,
                                                 const ModelProgress* progress) {
  SilenceKernel();
  const SolidModel::Shape& shape = model.shape();
  // The mesher stores its triangulation in the shape's faces; mesh a copy that shares no face
  // with the model, so that a model stays unchanged and meshing it twice gives the same mesh.
  // The copy's faces are new, their surfaces and curves shared.
  const TopoDS_Shape solid = BRepBuilderAPI_Copy(shape.solid, false).Shape();
  IMeshTools_Parameters parameters;
  parameters.Deflection = shape.mesh_tolerance;
  parameters.Angle = kAngularDeflection;
  parameters.Relative = false;
  parameters.InParallel = kInParallel;
  const Handle(Message_ProgressIndicator) breaker = KernelBreakFor(progress);
  BRepMesh_IncrementalMesh(solid, parameters, Message_ProgressIndicator::Start(breaker));

  TriangleMesh mesh;
  mesh.unit = shape.unit;
  std::map<std::array<double, 3>, std::uint32_t> index_of;
  for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    TopLoc_Location location;
    const Handle(Poly_Triangulation) triangulation = BRep_Tool::Triangulation(face, location);
    if (triangulation.IsNull()) return SolidError{"The mesher left a face of the solid bare."};
    const gp_Trsf placement = location.Transformation();
    std::vector<std::uint32_t> vertex(triangulation->NbNodes() + 1);
    for (int i = 1; i <= triangulation->NbNodes(); ++i) {
      const gp_Pnt p = triangulation->Node(i).Transformed(placement);
      const std::array<double, 3> key{p.X(), p.Y(), p.Z()};
      const auto [it, added] =
          index_of.emplace(key, static_cast<std::uint32_t>(mesh.vertices.size()));
      if (added) mesh.vertices.push_back(key);
      vertex[i] = it->second;
    }
    // A reversed face's triangles run clockwise seen from outside; turn them over.
    const bool reversed = face.Orientation() == TopAbs_REVERSED;
    for (int t = 1; t <= triangulation->NbTriangles(); ++t) {
      int a = 0, b = 0, c = 0;
      triangulation->Triangle(t).Get(a, b, c);
      if (reversed) std::swap(b, c);
      mesh.triangles.push_back({vertex[a], vertex[b], vertex[c]});
    }
  }
  mesh = Welded(mesh, kWeldShare * shape.mesh_tolerance);
  // A slicer would take a mesh with a gap for a different part, or refuse it.
  if (!Closed(mesh)) return SolidError{"The solid's mesh is not closed."};
  return mesh;
}

}  // namespace toothwright
