// A canvas that records the calls made on it, for tests and for --preview-ops.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "output/preview_canvas.h"

namespace toothwright {

struct PreviewCall {
  enum class Kind { Clear, DrawCircle, DrawArc, DrawLine, DrawDashedLine, FillCircle };
  Kind kind = Kind::Clear;
  float x = 0, y = 0;        // circles and arcs: the centre; lines: the start
  float radius = 0;          // circles and arcs
  std::uint32_t colour = 0;  // every kind but Clear
  float start = 0, end = 0;  // DrawArc
  float x2 = 0, y2 = 0;      // lines: the end
  bool operator==(const PreviewCall&) const = default;
};

class RecordingCanvas : public PreviewCanvas {
 public:
  explicit RecordingCanvas(float outer_width = kPictureOuterSize,
                           float outer_height = kPictureOuterSize);
  void Clear() override;
  float OuterWidth() const override;
  float OuterHeight() const override;
  void DrawCircle(float x, float y, float radius, std::uint32_t colour) override;
  void DrawArc(float x, float y, float radius, std::uint32_t colour, float start,
               float end) override;
  void DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
  void DrawDashedLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
  void FillCircle(float x, float y, float radius, std::uint32_t colour) override;

  const std::vector<PreviewCall>& calls() const { return calls_; }
  // The calls recorded so far, handed over; the canvas is left without any.
  std::vector<PreviewCall> TakeCalls() { return std::exchange(calls_, {}); }

 private:
  float outer_width_;
  float outer_height_;
  std::vector<PreviewCall> calls_;
};

// One line per call, fields separated by one blank: "Clear", "DrawCircle x y radius colour",
// "DrawArc x y radius colour start end", "DrawLine x1 y1 x2 y2 colour", "DrawDashedLine x1 y1
// x2 y2 colour", "FillCircle x y radius colour"; each number the shortest text that reads back
// to the same float, the colour a decimal integer; each line ends in "\n".
std::string FormatPreviewCalls(const std::vector<PreviewCall>& calls);

// Makes the recorded calls again, in order, on canvas (for instance to draw a recorded preview
// into a file).
void ReplayPreviewCalls(const std::vector<PreviewCall>& calls, PreviewCanvas& canvas);

}  // namespace toothwright
