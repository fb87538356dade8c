// The 3MF package taken apart by hand, record by record, as the plainest ZIP readers take it,
// and read back by lib3mf, the 3MF format's own reader.
#include <Model/COM/NMR_DLLInterfaces.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "numbers/units.h"
#include "solid/mesh.h"
#include "solid/plain_zip.h"
#include "solid/writers.h"

namespace toothwright {
namespace {

// A tetrahedron, counter-clockwise seen from outside.
TriangleMesh Tetrahedron(LengthUnit unit) {
  return {.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0.5}},
          .triangles = {{0, 2, 1}, {0, 1, 3}, {1, 2, 3}, {0, 3, 2}},
          .unit = unit};
}

std::uint32_t Le(const std::string& bytes, size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<size_t>(i)));
  }
  return value;
}

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr size_t kEndBytes = 22;  // the end record without a comment
constexpr std::uint32_t kDeflated = 8;
constexpr std::uint32_t kPlainVersion = 20;  // 2.0; ZIP64 needs 4.5
constexpr std::uint32_t kJanuary1st1980 = 1 << 5 | 1;

// Every entry's name in the central directory, in order, after checking the records of both
// the directory and the local headers: plain ZIP (version 2.0, no extra fields, so no ZIP64
// sizes), deflated, dated 1980-01-01 00:00, the entries back to back and the directory right
// before its end record (no ZIP64 end records between).
std::vector<std::string> PlainEntries(const std::string& zip) {
  const size_t end = zip.size() - kEndBytes;
  EXPECT_EQ(Le(zip, end, 4), kEndOfDirectory);
  const std::uint32_t count = Le(zip, end + 10, 2);
  const size_t directory = Le(zip, end + 16, 4);
  EXPECT_EQ(directory + Le(zip, end + 12, 4), end);
  std::vector<std::string> names;
  size_t central = directory, local = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Le(zip, central, 4), kCentralHeader);
    const size_t name_length = Le(zip, central + 28, 2);
    names.push_back(zip.substr(central + 46, name_length));
    EXPECT_EQ(Le(zip, central + 42, 4), local);
    EXPECT_EQ(Le(zip, local, 4), kLocalHeader);
    // The same fields, 22 bytes of them, in each header: version needed to the sizes.
    EXPECT_EQ(zip.substr(central + 6, 22), zip.substr(local + 4, 22));
    EXPECT_EQ(Le(zip, local + 4, 2), kPlainVersion);
    EXPECT_EQ(Le(zip, local + 8, 2), kDeflated);
    EXPECT_EQ(Le(zip, local + 10, 2), 0u);  // 00:00:00
    EXPECT_EQ(Le(zip, local + 12, 2), kJanuary1st1980);
    EXPECT_EQ(Le(zip, central + 30, 2), 0u);  // extra fields
    EXPECT_EQ(Le(zip, local + 28, 2), 0u);
    local += 30 + name_length + Le(zip, local + 18, 4);
    central += 46 + name_length + Le(zip, central + 32, 2);
  }
  EXPECT_EQ(local, directory);
  return names;
}

struct Release {
  void operator()(void* instance) const {
    NMR::lib3mf_release(static_cast<NMR::PLib3MFBase*>(instance));
  }
};
using Handle3mf = std::unique_ptr<void, Release>;

// The one mesh object of a package as lib3mf reads it, with the model's unit.
struct ReadBack {
  DWORD unit = 0;
  std::vector<std::array<float, 3>> vertices;
  DWORD triangles = 0;
};

ReadBack Read3mf(std::string package) {
  using namespace NMR;
  ReadBack read;
  PLib3MFModel* model = nullptr;
  PLib3MFModelReader* reader = nullptr;
  PLib3MFModelResourceIterator* objects = nullptr;
  EXPECT_EQ(lib3mf_createmodel(&model), LIB3MF_OK);
  const Handle3mf model_handle(model);
  EXPECT_EQ(lib3mf_model_queryreader(model, "3mf", &reader), LIB3MF_OK);
  const Handle3mf reader_handle(reader);
  EXPECT_EQ(
      lib3mf_reader_readfrombuffer(reader, reinterpret_cast<BYTE*>(package.data()), package.size()),
      LIB3MF_OK);
  DWORD warnings = 0;
  EXPECT_EQ(lib3mf_reader_getwarningcount(reader, &warnings), LIB3MF_OK);
  EXPECT_EQ(warnings, 0u);
  EXPECT_EQ(lib3mf_model_getunit(model, &read.unit), LIB3MF_OK);
  EXPECT_EQ(lib3mf_model_getmeshobjects(model, &objects), LIB3MF_OK);
  const Handle3mf objects_handle(objects);
  BOOL more = false;
  EXPECT_EQ(lib3mf_resourceiterator_movenext(objects, &more), LIB3MF_OK);
  if (!more) return read;
  PLib3MFModelResource* object = nullptr;
  EXPECT_EQ(lib3mf_resourceiterator_getcurrent(objects, &object), LIB3MF_OK);
  const Handle3mf object_handle(object);
  DWORD vertices = 0;
  EXPECT_EQ(lib3mf_meshobject_getvertexcount(object, &vertices), LIB3MF_OK);
  EXPECT_EQ(lib3mf_meshobject_gettrianglecount(object, &read.triangles), LIB3MF_OK);
  for (DWORD i = 0; i < vertices; ++i) {
    MODELMESHVERTEX vertex{};
    EXPECT_EQ(lib3mf_meshobject_getvertex(object, i, &vertex), LIB3MF_OK);
    read.vertices.push_back({vertex.m_fPosition[0], vertex.m_fPosition[1], vertex.m_fPosition[2]});
  }
  EXPECT_EQ(lib3mf_resourceiterator_movenext(objects, &more), LIB3MF_OK);
  EXPECT_FALSE(more);
  return read;
}

TEST(ThreeMf, IsAPlainZipInMillimetresThatLib3mfReadsBack) {
  struct Case {
    const char* name;
    LengthUnit unit;
    float scale;  // of the vertices written
  };
  for (const Case& c : {Case{"inches", LengthUnit::Inch, 25.4F},
                        Case{"millimetres", LengthUnit::Millimetre, 1.0F}}) {
    SCOPED_TRACE(c.name);
    const TriangleMesh mesh = Tetrahedron(c.unit);
    const auto written = Write3mf(mesh);
    ASSERT_TRUE(std::holds_alternative<std::string>(written));
    const std::string& package = std::get<std::string>(written);
    EXPECT_EQ(PlainEntries(package),
              (std::vector<std::string>{"3D/3dmodel.model", "[Content_Types].xml", "_rels/.rels"}));
    const ReadBack read = Read3mf(package);
    EXPECT_EQ(read.unit, DWORD{NMR::MODELUNIT_MILLIMETER});
    EXPECT_EQ(read.triangles, mesh.triangles.size());
    ASSERT_EQ(read.vertices.size(), mesh.vertices.size());
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
      for (int k = 0; k < 3; ++k) {
        EXPECT_FLOAT_EQ(read.vertices[i][k], static_cast<float>(mesh.vertices[i][k]) * c.scale);
      }
    }
  }
}

TEST(ThreeMf, PlainZipRefusesWhatIsNoZip) {
  EXPECT_FALSE(PlainZip(""));
  EXPECT_FALSE(PlainZip("PK\x03\x04 and nothing a ZIP needs"));
}

}  // namespace
}  // namespace toothwright
