// The preview canvas of the window: angle and twip conversion, and what lands in the retained
// picture. Also run with QT_SCALE_FACTOR=2, where the picture holds two device pixels per
// logical pixel.
#include "ui/picture_box.h"

#include <QTest>
#include <cmath>
#include <numbers>

#include "output/preview_canvas.h"
#include "ui/canvas_mapping.h"

namespace toothwright {
namespace {

constexpr double kPi = std::numbers::pi;
const QRgb kRed = qRgb(255, 0, 0);

// Whether a red pixel lies within a pixel of the logical point p of the interior.
bool RedNear(const QImage& picture, QPointF p) {
  const qreal ratio = picture.devicePixelRatio();
  const int cx = static_cast<int>(std::floor(p.x() * ratio));
  const int cy = static_cast<int>(std::floor(p.y() * ratio));
  const int reach = static_cast<int>(std::ceil(ratio));
  for (int y = cy - reach; y <= cy + reach; ++y) {
    for (int x = cx - reach; x <= cx + reach; ++x) {
      if (picture.valid(x, y) && picture.pixel(x, y) == kRed) return true;
    }
  }
  return false;
}

// A picture box of the main window's size; a hidden widget learns its size only when
// shown, so the picture is made afresh at that size.
void SizeAsInTheWindow(PictureBox& box) {
  box.resize(253, 253);
  box.Clear();
}

// The interior point at angle a on the circle of radius r (both in pixels) about (x, y).
QPointF OnCircle(double x, double y, double r, double a) {
  return {x + r * std::cos(a), y - r * std::sin(a)};
}

}  // namespace

class PictureBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void mapArc_data();
  void mapArc();
  void circleBoundsAreInteriorPixels();
  void colourHasRedInTheLowByte();
  void outerSizeInTwips();
  void startsBlankAtTheScreensPixelRatio();
  void circleIsAnOutline();
  void arcCoversOnlyItsPart_data();
  void arcCoversOnlyItsPart();
  void lineJoinsItsEnds();
  void dashedLineHasGaps();
  void filledCircleIsFilled();
  void clearErases();
  void pictureSurvivesRepaint();
};

void PictureBoxTest::mapArc_data() {
  QTest::addColumn<float>("start");
  QTest::addColumn<float>("end");
  QTest::addColumn<int>("expected_start");
  QTest::addColumn<int>("expected_span");
  QTest::newRow("first quadrant") << 0.0f << float(kPi / 2) << 0 << 1440;
  QTest::newRow("upper half") << float(kPi / 2) << float(3 * kPi / 2) << 1440 << 2880;
  QTest::newRow("through angle 0") << 5.9f << 0.4f << 5409 << 718;
  QTest::newRow("just below a turn") << float(3 * kPi / 2) << 0.0f << 4320 << 1440;
  QTest::newRow("start equals end") << 1.0f << 1.0f << 917 << 0;
}

void PictureBoxTest::mapArc() {
  QFETCH(float, start);
  QFETCH(float, end);
  QFETCH(int, expected_start);
  QFETCH(int, expected_span);
  const PixelArc arc = MapArc(1500, 3000, 150, start, end);
  QCOMPARE(arc.start, expected_start);
  QCOMPARE(arc.span, expected_span);
  QCOMPARE(arc.bounds, QRectF(90, 190, 20, 20));
}

void PictureBoxTest::circleBoundsAreInteriorPixels() {
  // The centre circle of ANSI 40, 18 teeth: (1897.5, 1897.5) twips, radius 161.3223 twips.
  const QRectF bounds = CircleBounds(1897.5f, 1897.5f, 161.3223f);
  QCOMPARE(bounds.center(), QPointF(126.5, 126.5));
  QVERIFY(std::abs(bounds.width() - 2 * 10.75482) < 1e-4);
}

void PictureBoxTest::colourHasRedInTheLowByte() {
  QCOMPARE(ColourFromRgb(kPreviewRed), QColor(255, 0, 0));
  QCOMPARE(ColourFromRgb(0x123456), QColor(0x56, 0x34, 0x12));
}

void PictureBoxTest::outerSizeInTwips() {
  PictureBox box;
  SizeAsInTheWindow(box);
  QCOMPARE(box.OuterWidth(), 3795.0f);
  QCOMPARE(box.OuterHeight(), 3795.0f);
  QCOMPARE(box.contentsRect(), QRect(2, 2, 249, 249));  // a 30-twip border on each side
}

void PictureBoxTest::startsBlankAtTheScreensPixelRatio() {
  PictureBox box;
  SizeAsInTheWindow(box);
  const QImage& picture = box.Picture();
  const qreal ratio = box.devicePixelRatioF();
  QCOMPARE(picture.devicePixelRatio(), ratio);
  QCOMPARE(picture.size(), QSize(249, 249) * ratio);
  QCOMPARE(picture.pixel(0, 0), box.palette().color(QPalette::Window).rgb());
}

void PictureBoxTest::circleIsAnOutline() {
  PictureBox box;
  SizeAsInTheWindow(box);
  box.DrawCircle(1500, 1500, 600, kPreviewRed);  // centre (100, 100), radius 40 pixels
  const QImage& picture = box.Picture();
  for (double a : {0.0, kPi / 2, kPi, 3 * kPi / 2, 1.0}) {
    QVERIFY2(RedNear(picture, OnCircle(100, 100, 40, a)), qPrintable(QString::number(a)));
  }
  QVERIFY(!RedNear(picture, {100, 100}));  // not filled
  QVERIFY(!RedNear(picture, {100, 80}));
  // One logical pixel wide: a horizontal cut through the right edge meets 1 to 2 pixels of it.
  const qreal ratio = picture.devicePixelRatio();
  int red_run = 0;
  const int row = static_cast<int>(100 * ratio);
  for (int x = static_cast<int>(130 * ratio); x < static_cast<int>(150 * ratio); ++x) {
    red_run += picture.pixel(x, row) == kRed;
  }
  QVERIFY2(red_run >= 1 && red_run <= 2 * std::ceil(ratio), qPrintable(QString::number(red_run)));
}

void PictureBoxTest::arcCoversOnlyItsPart_data() {
  QTest::addColumn<float>("start");
  QTest::addColumn<float>("end");
  QTest::addColumn<double>("inside");   // an angle the arc passes
  QTest::addColumn<double>("outside");  // an angle it leaves out
  QTest::newRow("first quadrant") << 0.1f << float(kPi / 2 - 0.1) << kPi / 4 << 5 * kPi / 4;
  QTest::newRow("up the screen is positive")
      << float(kPi / 4) << float(3 * kPi / 4) << kPi / 2 << 3 * kPi / 2;
  QTest::newRow("through angle 0") << 5.9f << 0.4f << 0.0 << kPi;
  QTest::newRow("the long way round") << 0.4f << 5.9f << kPi << 0.0;
}

void PictureBoxTest::arcCoversOnlyItsPart() {
  QFETCH(float, start);
  QFETCH(float, end);
  QFETCH(double, inside);
  QFETCH(double, outside);
  PictureBox box;
  SizeAsInTheWindow(box);
  box.DrawArc(1500, 1500, 600, kPreviewRed, start, end);
  QVERIFY(RedNear(box.Picture(), OnCircle(100, 100, 40, inside)));
  QVERIFY(!RedNear(box.Picture(), OnCircle(100, 100, 40, outside)));
}

void PictureBoxTest::lineJoinsItsEnds() {
  PictureBox box;
  SizeAsInTheWindow(box);
  box.DrawLine(1500, 1500, 2100, 1500, kPreviewRed);  // from (100, 100) to (140, 100)
  for (double x : {100.0, 120.0, 139.0}) QVERIFY(RedNear(box.Picture(), {x, 100}));
  QVERIFY(!RedNear(box.Picture(), {150, 100}));
  QVERIFY(!RedNear(box.Picture(), {120, 110}));
}

void PictureBoxTest::dashedLineHasGaps() {
  PictureBox box;
  SizeAsInTheWindow(box);
  // From (100, 100) to (196, 100): dashes of 4 pixels, gaps of 4 pixels.
  box.DrawDashedLine(1500, 1500, 2940, 1500, kPreviewRed);
  const QImage& picture = box.Picture();
  const qreal ratio = picture.devicePixelRatio();
  const int row = static_cast<int>(100 * ratio);
  int red = 0, gaps = 0;
  bool last = false;
  for (int x = static_cast<int>(100 * ratio); x < static_cast<int>(196 * ratio); ++x) {
    const bool now = picture.pixel(x, row) == kRed;
    red += now;
    gaps += last && !now;
    last = now;
  }
  const int pixels = static_cast<int>(96 * ratio);
  QVERIFY2(red > pixels / 3 && red < 2 * pixels / 3, qPrintable(QString::number(red)));
  QVERIFY2(gaps >= 10, qPrintable(QString::number(gaps)));
}

void PictureBoxTest::filledCircleIsFilled() {
  PictureBox box;
  SizeAsInTheWindow(box);
  box.FillCircle(1500, 1500, 150, kPreviewRed);  // centre (100, 100), radius 10 pixels
  for (QPointF p : {QPointF(100, 100), QPointF(95, 103), QPointF(109, 100)}) {
    QVERIFY(RedNear(box.Picture(), p));
  }
  QVERIFY(!RedNear(box.Picture(), {113, 100}));
}

void PictureBoxTest::clearErases() {
  PictureBox box;
  SizeAsInTheWindow(box);
  QImage blank = box.Picture();
  box.DrawCircle(1500, 1500, 600, kPreviewRed);
  QVERIFY(box.Picture() != blank);
  box.Clear();
  QVERIFY(box.Picture() == blank);
}

void PictureBoxTest::pictureSurvivesRepaint() {
  PictureBox box;
  SizeAsInTheWindow(box);
  box.show();
  QVERIFY(QTest::qWaitForWindowExposed(&box));
  box.DrawCircle(1500, 1500, 600, kPreviewRed);
  box.hide();  // covered and uncovered: the picture is painted again from what was kept
  box.show();
  QVERIFY(QTest::qWaitForWindowExposed(&box));
  const QImage shown = box.grab().toImage();
  // The interior starts after the 2-pixel border.
  QVERIFY(RedNear(shown, {142, 102}));
  QVERIFY(!RedNear(shown, {102, 102}));
}

}  // namespace toothwright

QTEST_MAIN(toothwright::PictureBoxTest)
#include "picture_box_test.moc"
