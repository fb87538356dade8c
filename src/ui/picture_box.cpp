// Every drawing call paints straight into the retained picture and asks for a repaint; the
// paint event only copies the picture into the frame, so nothing is ever drawn twice.
#include "ui/picture_box.h"

#include <QPaintEvent>
#include <QPainter>

#include "ui/canvas_mapping.h"
#include "ui/window_layout.h"

namespace toothwright {
namespace {

// The sunken border, 30 twips on each side.
constexpr int kBorderPixels = 2;
// Outline width in logical pixels; the picture's device pixel ratio scales it.
constexpr qreal kOutlineWidth = 1.0;

QPen OutlinePen(std::uint32_t colour) {
  QPen pen(ColourFromRgb(colour), kOutlineWidth);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
  // A two-pixel sunken panel is the classic picture-box border.
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setLineWidth(kBorderPixels);
  Clear();
}

void PictureBox::Clear() {
  const qreal ratio = devicePixelRatioF();
  const QSize interior = contentsRect().size().expandedTo(QSize(0, 0));
  picture_ = QImage(interior * ratio, QImage::Format_RGB32);
  picture_.setDevicePixelRatio(ratio);
  picture_.fill(palette().color(QPalette::Window));
  update();
}

float PictureBox::OuterWidth() const {
  return static_cast<float>(width() * kTwipsPerPixel);
}

float PictureBox::OuterHeight() const {
  return static_cast<float>(height() * kTwipsPerPixel);
}

void PictureBox::DrawCircle(float x, float y, float radius, std::uint32_t colour) {
  QPainter painter(&picture_);
  painter.setPen(OutlinePen(colour));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(CircleBounds(x, y, radius));
  update();
}

void PictureBox::DrawArc(float x, float y, float radius, std::uint32_t colour, float start,
                         float end) {
  const PixelArc arc = MapArc(x, y, radius, start, end);
  QPainter painter(&picture_);
  painter.setPen(OutlinePen(colour));
  painter.drawArc(arc.bounds, arc.start, arc.span);
  update();
}

void PictureBox::DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) {
  // A circle of no radius maps a canvas point to the picture's logical pixels.
  QPainter painter(&picture_);
  painter.setPen(OutlinePen(colour));
  painter.drawLine(CircleBounds(x1, y1, 0).center(), CircleBounds(x2, y2, 0).center());
  update();
}

void PictureBox::DrawDashedLine(float x1, float y1, float x2, float y2, std::uint32_t colour) {
  QPen pen = OutlinePen(colour);
  // QPainter counts dashes in pen widths; the pen is one logical pixel wide.
  const qreal dash = kDashTwips / kTwipsPerPixel;
  pen.setDashPattern({dash, dash});
  QPainter painter(&picture_);
  painter.setPen(pen);
  painter.drawLine(CircleBounds(x1, y1, 0).center(), CircleBounds(x2, y2, 0).center());
  update();
}

void PictureBox::FillCircle(float x, float y, float radius, std::uint32_t colour) {
  QPainter painter(&picture_);
  painter.setPen(OutlinePen(colour));
  painter.setBrush(ColourFromRgb(colour));
  painter.drawEllipse(CircleBounds(x, y, radius));
  update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.drawImage(contentsRect().topLeft(), picture_);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  if (picture_.deviceIndependentSize().toSize() != contentsRect().size()) Clear();
}

}  // namespace toothwright
