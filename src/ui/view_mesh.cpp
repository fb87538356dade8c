// Corners are matched by their exact coordinates: the mesher writes a shared corner with the
// same floats in every triangle that has it.
#include "ui/view_mesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <utility>

namespace toothwright {
namespace {

constexpr size_t kHeaderBytes = 80;
constexpr size_t kTriangleBytes = 50;  // normal, three corners, attribute count

using Corner = std::array<float, 3>;

float ReadFloat(std::string_view bytes, size_t at) {
  float value = 0;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

std::array<float, 3> Normal(const Corner& a, const Corner& b, const Corner& c) {
  const std::array<double, 3> u{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
  const std::array<double, 3> v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
  const std::array<double, 3> n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                u[0] * v[1] - u[1] * v[0]};
  const double length = std::hypot(n[0], n[1], n[2]);
  if (!(length > 0)) return {0, 0, 1};
  return {static_cast<float>(n[0] / length), static_cast<float>(n[1] / length),
          static_cast<float>(n[2] / length)};
}

// The edges whose two triangles turn by more than kFeatureEdgeDegrees, and those of one
// triangle only.
std::vector<std::pair<Corner, Corner>> FeatureEdges(
    const std::vector<Corner>& corners, const std::vector<std::array<float, 3>>& faces) {
  std::map<std::pair<Corner, Corner>, std::vector<size_t>> sides;
  for (size_t t = 0; t < faces.size(); ++t) {
    for (size_t k = 0; k < 3; ++k) {
      const Corner& a = corners[3 * t + k];
      const Corner& b = corners[3 * t + (k + 1) % 3];
      sides[std::minmax(a, b)].push_back(t);
    }
  }
  const double turn = std::cos(kFeatureEdgeDegrees * 3.14159265358979323846 / 180);
  std::vector<std::pair<Corner, Corner>> edges;
  for (const auto& [ends, triangles] : sides) {
    bool sharp = triangles.size() != 2;
    if (!sharp) {
      const auto& n = faces[triangles[0]];
      const auto& m = faces[triangles[1]];
      sharp = n[0] * m[0] + n[1] * m[1] + n[2] * m[2] < turn;
    }
    if (sharp) edges.push_back(ends);
  }
  return edges;
}

}  // namespace

std::optional<ViewMesh> ReadViewMesh(std::string_view stl) {
  if (stl.size() < kHeaderBytes + 4) return std::nullopt;
  std::uint32_t count = 0;
  std::memcpy(&count, stl.data() + kHeaderBytes, sizeof count);
  if (count == 0 || (stl.size() - kHeaderBytes - 4) / kTriangleBytes < count) return std::nullopt;
  std::vector<Corner> corners(3 * static_cast<size_t>(count));
  Corner low{INFINITY, INFINITY, INFINITY}, high{-INFINITY, -INFINITY, -INFINITY};
  for (size_t t = 0; t < count; ++t) {
    const size_t at = kHeaderBytes + 4 + t * kTriangleBytes + 12;  // past the stored normal
    for (size_t k = 0; k < 3; ++k) {
      Corner& c = corners[3 * t + k];
      for (size_t i = 0; i < 3; ++i) {
        c[i] = ReadFloat(stl, at + 12 * k + 4 * i);
        low[i] = std::min(low[i], c[i]);
        high[i] = std::max(high[i], c[i]);
      }
    }
  }
  std::vector<std::array<float, 3>> faces(count);
  for (size_t t = 0; t < count; ++t) {
    faces[t] = Normal(corners[3 * t], corners[3 * t + 1], corners[3 * t + 2]);
  }
  // About the box's centre, the box's half diagonal becoming 1.
  const Corner centre{(low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2};
  const double half = std::hypot(high[0] - low[0], high[1] - low[1], high[2] - low[2]) / 2;
  const float scale = half > 0 ? static_cast<float>(1 / half) : 1.0f;
  const auto place = [&](const Corner& c, std::vector<float>& out) {
    for (size_t i = 0; i < 3; ++i) out.push_back((c[i] - centre[i]) * scale);
  };
  ViewMesh mesh;
  mesh.triangles = count;
  mesh.positions.reserve(9 * static_cast<size_t>(count));
  mesh.normals.reserve(9 * static_cast<size_t>(count));
  for (size_t t = 0; t < count; ++t) {
    for (size_t k = 0; k < 3; ++k) {
      place(corners[3 * t + k], mesh.positions);
      mesh.normals.insert(mesh.normals.end(), faces[t].begin(), faces[t].end());
    }
  }
  for (const auto& [a, b] : FeatureEdges(corners, faces)) {
    place(a, mesh.edges);
    place(b, mesh.edges);
  }
  return mesh;
}

}  // namespace toothwright
