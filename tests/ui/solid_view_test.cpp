// The 3-D view: the mesh read from the mesher's STL, and the window opened on the last results,
// built in the background (stopped when the view closes or a newer Go replaces the build),
// following a Go and turned by a drag. It draws wherever an OpenGL context can be made (an X
// server, software rendering included).
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "fake_window_services.h"
#include "support/ansi40_18_teeth.h"
#include "ui/main_window.h"
#include "ui/model_build.h"
#include "ui/solid_view_window.h"
#include "ui/view_mesh.h"

namespace toothwright {
namespace {

// A binary STL of the given triangles, each three corners of x, y, z.
std::string Stl(const std::vector<std::array<float, 9>>& triangles) {
  std::string bytes(80, '\0');
  const auto put = [&bytes](const void* data, size_t size) {
    bytes.append(static_cast<const char*>(data), size);
  };
  const auto count = static_cast<std::uint32_t>(triangles.size());
  put(&count, sizeof count);
  for (const auto& t : triangles) {
    const float normal[3] = {0, 0, 0};
    const std::uint16_t attributes = 0;
    put(normal, sizeof normal);
    put(t.data(), sizeof(float) * t.size());
    put(&attributes, sizeof attributes);
  }
  return bytes;
}

// The pixels of image that are not its top left one's colour, the background's.
int Drawn(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != image.pixel(0, 0);
  }
  return count;
}

}  // namespace

class SolidViewTest : public QObject {
  Q_OBJECT

 private slots:
  void meshOfATetrahedron();
  void viewFollowsGoAndTurns();
};

// Four faces meeting at sharp edges: every edge drawn, the corners inside the unit sphere about
// the box's centre; a file that is not a whole STL gives nothing.
void SolidViewTest::meshOfATetrahedron() {
  const std::string stl = Stl({{0, 0, 0, 0, 1, 0, 1, 0, 0},
                               {0, 0, 0, 1, 0, 0, 0, 0, 1},
                               {0, 0, 0, 0, 0, 1, 0, 1, 0},
                               {1, 0, 0, 0, 1, 0, 0, 0, 1}});
  const std::optional<ViewMesh> mesh = ReadViewMesh(stl);
  QVERIFY(mesh);
  QCOMPARE(mesh->triangles, size_t{4});
  QCOMPARE(mesh->positions.size(), size_t{36});
  QCOMPARE(mesh->edges.size(), size_t{6 * 2 * 3});
  for (size_t k = 0; k + 2 < mesh->positions.size(); k += 3) {
    const float* p = &mesh->positions[k];
    QVERIFY(p[0] * p[0] + p[1] * p[1] + p[2] * p[2] <= 1.0001f);
  }
  QVERIFY(!ReadViewMesh(stl.substr(0, stl.size() - 1)));
  QVERIFY(!ReadViewMesh(Stl({})));
}

void SolidViewTest::viewFollowsGoAndTurns() {
  if (!TOOTHWRIGHT_HAS_SOLID) QSKIP("this build makes no solid");
  FakeWindowServices services;
  MainWindow window(&services);
  window.show();
  FieldTexts fields = kAnsi40Mounted;
  fields.thickness = "0.28";
  for (const OptionRow& row : kTextFields) {
    if (QLineEdit* field = window.FieldEdit(row.text))
      field->setText(QString::fromStdString(fields.*(row.text)));
  }
  const auto go = [&window](const char* teeth) {
    window.FieldEdit(&FieldTexts::teeth)->setText(teeth);
    window.findChild<QPushButton*>("Command1")->click();
  };
  // Whether the newest build under way ends stopped, once it has ended.
  const auto stopped = [](SolidViewWindow* view) {
    auto ended_stopped = std::make_shared<bool>(false);
    QObject::connect(view->findChildren<ModelBuild*>().last(), &ModelBuild::Finished,
                     [ended_stopped](const ModelBuild::Result& result) {
                       *ended_stopped = std::holds_alternative<ModelsStopped>(result.written);
                     });
    return ended_stopped;
  };
  go("18");
  QVERIFY2(services.messages.isEmpty(), qPrintable(services.messages.join(" | ")));
  window.findChild<QPushButton*>("CmdSolidView")->click();
  SolidViewWindow* view = window.SolidViewOpened();
  QVERIFY(view && view->isVisible());
  QCOMPARE(view->findChild<QLabel*>("LabelSolidViewStatus")->text(), kBuildingMessage);
  QSignalSpy built(view, &SolidViewWindow::Built);
  // Closed while it builds, the view stops the build and shows nothing of it; opened again, it
  // builds anew.
  const auto closed = stopped(view);
  view->close();
  QTRY_VERIFY_WITH_TIMEOUT(!view->Building(), 60000);
  QVERIFY(*closed);
  QCOMPARE(built.count(), 0);
  window.findChild<QPushButton*>("CmdSolidView")->click();
  QVERIFY(built.wait(60000));
  QVERIFY(view->Mesh());
  const size_t teeth18 = view->Mesh()->triangles;

  // A Go while a build runs stops it; the newest is built and shown alone.
  go("30");
  const auto replaced = stopped(view);
  go("24");
  QVERIFY(built.wait(60000));
  QVERIFY(*replaced);
  QCOMPARE(built.count(), 2);
  QVERIFY(!view->Building());
  QVERIFY(view->Mesh()->triangles > teeth18);

  // Drawn shaded where the display draws OpenGL (an X server), and turned by a drag.
  SolidView* drawing = view->View();
  if (!drawing) QSKIP("this display cannot draw with OpenGL");
  const QImage image = drawing->grabFramebuffer();
  QVERIFY(Drawn(image) > image.width() * image.height() / 20);
  const double yaw = drawing->Yaw();
  QTest::mousePress(drawing, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(drawing, QPoint(160, 100));
  QVERIFY(drawing->Yaw() != yaw);
  QTest::keyClick(drawing, Qt::Key_R);
  QCOMPARE(drawing->Yaw(), yaw);
}

}  // namespace toothwright

QTEST_MAIN(toothwright::SolidViewTest)
#include "solid_view_test.moc"
