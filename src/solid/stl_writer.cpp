#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "numbers/units.h"
#include "solid/writers.h"

namespace toothwright {
namespace {

static_assert(std::numeric_limits<float>::is_iec559, "STL stores IEEE 754 single floats");

// The header must not start with "solid", which readers take for the text form.
constexpr std::string_view kHeader = "Toothwright binary STL, millimetres";
constexpr size_t kHeaderBytes = 80;

void PutUint32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

void PutFloat(std::string& out, float value) {
  PutUint32(out, std::bit_cast<std::uint32_t>(value));
}

}  // namespace

std::string WriteStl(const TriangleMesh& mesh) {
  const double scale = mesh.unit == LengthUnit::Inch ? kMillimetresPerInch : 1.0;
  std::vector<std::array<float, 3>> corners(mesh.vertices.size());
  for (size_t i = 0; i < mesh.vertices.size(); ++i) {
    for (int k = 0; k < 3; ++k) corners[i][k] = static_cast<float>(mesh.vertices[i][k] * scale);
  }
  std::string out(kHeader);
  out.resize(kHeaderBytes, ' ');
  out.reserve(kHeaderBytes + 4 + 50 * mesh.triangles.size());
  PutUint32(out, static_cast<std::uint32_t>(mesh.triangles.size()));
  for (const auto& t : mesh.triangles) {
    const auto &a = corners[t[0]], &b = corners[t[1]], &c = corners[t[2]];
    // The outward normal from the corners' order (counter-clockwise seen from outside).
    const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (double& x : n) x = length > 0 ? x / length : 0;
    for (double x : n) PutFloat(out, static_cast<float>(x));
    for (const auto* corner : {&a, &b, &c}) {
      for (float x : *corner) PutFloat(out, x);
    }
    out.append(2, '\0');  // attribute byte count, unused
  }
  return out;
}

}  // namespace toothwright
