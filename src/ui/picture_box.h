// The preview picture box: a sunken frame whose interior holds a retained picture that the
// preview draws on through the PreviewCanvas operations. The picture survives the window
// being covered and uncovered, and is kept at the screen's device pixel ratio so that its
// 1-pixel outlines stay crisp on high-DPI screens.
#pragma once

#include <QFrame>
#include <QImage>
#include <cstdint>

#include "output/preview_canvas.h"

namespace toothwright {

class PictureBox : public QFrame, public PreviewCanvas {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  // Erases the picture to the window's background colour.
  void Clear() override;
  // The box's outer size in twips, border included (3795 in the main window).
  float OuterWidth() const override;
  float OuterHeight() const override;
  // Red (or any colour) 1-pixel outlines, no fill; twips from the interior's top-left, y down.
  void DrawCircle(float x, float y, float radius, std::uint32_t colour) override;
  void DrawArc(float x, float y, float radius, std::uint32_t colour, float start,
               float end) override;
  void DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
  void DrawDashedLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
  void FillCircle(float x, float y, float radius, std::uint32_t colour) override;

  // The retained picture of the interior, in device pixels with its device pixel ratio set.
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace toothwright
