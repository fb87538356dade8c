// The part's triangles as the 3-D view draws them: read from the binary STL the solid's mesher
// writes, with a normal per triangle and the edges where the surface turns, centred on the
// origin and scaled to fit a unit sphere.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace toothwright {

struct ViewMesh {
  std::vector<float> positions;  // x, y, z of each triangle's three corners in turn
  std::vector<float> normals;    // the triangle's unit normal, once per corner
  std::vector<float> edges;      // x, y, z of both ends of each edge drawn
  size_t triangles = 0;
};

// Edges between triangles that meet at more than this angle (degrees) are drawn: the part's
// own edges and the chamfers' boundaries, not the facets of a curved face.
inline constexpr double kFeatureEdgeDegrees = 25;

// The mesh of a binary STL (80-byte header, triangle count, 50 bytes a triangle), or nullopt
// when stl is not one or holds no triangle.
std::optional<ViewMesh> ReadViewMesh(std::string_view stl);

}  // namespace toothwright
