// lib3mf 1.8's C interface: every object it hands out is released once through
// lib3mf_release; its headers define Windows-style names, so they stay in this file.
#include <Model/COM/NMR_DLLInterfaces.h>

#include <memory>
#include <utility>
#include <vector>

#include "numbers/units.h"
#include "solid/plain_zip.h"
#include "solid/writers.h"

namespace toothwright {
namespace {

struct Release {
  void operator()(void* instance) const {
    NMR::lib3mf_release(static_cast<NMR::PLib3MFBase*>(instance));
  }
};
using Handle3mf = std::unique_ptr<void, Release>;

constexpr const char* kObjectUuid = "6f1d2a4e-8c3b-4e57-9a21-5d0c7b3e9f10";
constexpr const char* kItemUuid = "6f1d2a4e-8c3b-4e57-9a21-5d0c7b3e9f11";
constexpr const char* kBuildUuid = "6f1d2a4e-8c3b-4e57-9a21-5d0c7b3e9f12";

SolidError Failed(const char* step) {
  return SolidError{std::string("The 3MF file could not be written: ") + step};
}

}  // namespace

std::variant<std::string, SolidError> Write3mf(const TriangleMesh& mesh) {
  using namespace NMR;
  PLib3MFModel* raw_model = nullptr;
  if (lib3mf_createmodel(&raw_model) != LIB3MF_OK) return Failed("no model");
  const Handle3mf model(raw_model);
  // Millimetres whatever the part's unit, as in the STL: some slicers ignore the unit stated.
  if (lib3mf_model_setunit(raw_model, MODELUNIT_MILLIMETER) != LIB3MF_OK) {
    return Failed("the unit");
  }
  PLib3MFModelMeshObject* raw_object = nullptr;
  if (lib3mf_model_addmeshobject(raw_model, &raw_object) != LIB3MF_OK) return Failed("no object");
  const Handle3mf object(raw_object);
  lib3mf_object_setnameutf8(raw_object, "Sprocket");
  // Fixed identifiers in place of the random ones lib3mf makes, so that the same part gives
  // the same bytes; each is unique within the package, which is what they are for.
  lib3mf_object_setuuidutf8(raw_object, kObjectUuid);

  const double scale = mesh.unit == LengthUnit::Inch ? kMillimetresPerInch : 1.0;
  std::vector<MODELMESHVERTEX> vertices(mesh.vertices.size());
  for (size_t i = 0; i < mesh.vertices.size(); ++i) {
    for (int k = 0; k < 3; ++k) {
      vertices[i].m_fPosition[k] = static_cast<FLOAT>(mesh.vertices[i][k] * scale);
    }
  }
  std::vector<MODELMESHTRIANGLE> triangles(mesh.triangles.size());
  for (size_t i = 0; i < mesh.triangles.size(); ++i) {
    for (int k = 0; k < 3; ++k) triangles[i].m_nIndices[k] = mesh.triangles[i][k];
  }
  if (lib3mf_meshobject_setgeometry(raw_object, vertices.data(),
                                    static_cast<DWORD>(vertices.size()), triangles.data(),
                                    static_cast<DWORD>(triangles.size())) != LIB3MF_OK) {
    return Failed("the mesh");
  }
  PLib3MFModelBuildItem* raw_item = nullptr;
  if (lib3mf_model_addbuilditem(raw_model, raw_object, nullptr, &raw_item) != LIB3MF_OK) {
    return Failed("the build item");
  }
  const Handle3mf item(raw_item);
  lib3mf_builditem_setuuidutf8(raw_item, kItemUuid);
  lib3mf_model_setbuilduuidutf8(raw_model, kBuildUuid);
  PLib3MFModelWriter* raw_writer = nullptr;
  if (lib3mf_model_querywriter(raw_model, "3mf", &raw_writer) != LIB3MF_OK) {
    return Failed("no writer");
  }
  const Handle3mf writer(raw_writer);
  ULONG64 size = 0;
  if (lib3mf_writer_getstreamsize(raw_writer, &size) != LIB3MF_OK) return Failed("the size");
  std::string bytes(size, '\0');
  if (lib3mf_writer_writetobuffer(raw_writer, reinterpret_cast<BYTE*>(bytes.data()), size) !=
      LIB3MF_OK) {
    return Failed("the package");
  }
  // lib3mf's own ZIP writer gives every entry ZIP64 sizes and an invalid date, which some
  // readers refuse; its entries are stored again as a plain ZIP.
  auto plain = PlainZip(bytes);
  if (!plain) return Failed("the ZIP archive");
  return std::move(*plain);
}

}  // namespace toothwright
