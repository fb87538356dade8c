// The recording canvas and the text form of its calls.
#include "output/recording_canvas.h"

#include <array>
#include <charconv>

namespace toothwright {
namespace {

// Longest shortest-round-trip text of a float ("-1.17549435e-38") with room to spare.
constexpr size_t kNumberBuffer = 32;

// A blank, then the shortest text that reads back to the same value (float or colour).
template <typename Number>
void AppendNumber(std::string& out, Number value) {
  std::array<char, kNumberBuffer> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out += ' ';
  out.append(buffer.data(), result.ptr);
}

// The fields a circle and an arc share: centre, radius, colour.
void AppendCircle(std::string& out, const PreviewCall& call) {
  AppendNumber(out, call.x);
  AppendNumber(out, call.y);
  AppendNumber(out, call.radius);
  AppendNumber(out, call.colour);
}

}  // namespace

RecordingCanvas::RecordingCanvas(float outer_width, float outer_height)
    : outer_width_(outer_width), outer_height_(outer_height) {}

void RecordingCanvas::Clear() {
  calls_.push_back({.kind = PreviewCall::Kind::Clear});
}

float RecordingCanvas::OuterWidth() const {
  return outer_width_;
}

float RecordingCanvas::OuterHeight() const {
  return outer_height_;
}

void RecordingCanvas::DrawCircle(float x, float y, float radius, std::uint32_t colour) {
  calls_.push_back(
      {.kind = PreviewCall::Kind::DrawCircle, .x = x, .y = y, .radius = radius, .colour = colour});
}

void RecordingCanvas::DrawArc(float x, float y, float radius, std::uint32_t colour, float start,
                              float end) {
  calls_.push_back({.kind = PreviewCall::Kind::DrawArc,
                    .x = x,
                    .y = y,
                    .radius = radius,
                    .colour = colour,
                    .start = start,
                    .end = end});
}

void RecordingCanvas::DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) {
  calls_.push_back({.kind = PreviewCall::Kind::DrawLine,
                    .x = x1,
                    .y = y1,
                    .colour = colour,
                    .x2 = x2,
                    .y2 = y2});
}

void RecordingCanvas::DrawDashedLine(float x1, float y1, float x2, float y2, std::uint32_t colour) {
  calls_.push_back({.kind = PreviewCall::Kind::DrawDashedLine,
                    .x = x1,
                    .y = y1,
                    .colour = colour,
                    .x2 = x2,
                    .y2 = y2});
}

void RecordingCanvas::FillCircle(float x, float y, float radius, std::uint32_t colour) {
  calls_.push_back(
      {.kind = PreviewCall::Kind::FillCircle, .x = x, .y = y, .radius = radius, .colour = colour});
}

std::string FormatPreviewCalls(const std::vector<PreviewCall>& calls) {
  std::string out;
  for (const PreviewCall& call : calls) {
    switch (call.kind) {
      case PreviewCall::Kind::Clear:
        out += "Clear";
        break;
      case PreviewCall::Kind::DrawCircle:
        out += "DrawCircle";
        AppendCircle(out, call);
        break;
      case PreviewCall::Kind::DrawArc:
        out += "DrawArc";
        AppendCircle(out, call);
        AppendNumber(out, call.start);
        AppendNumber(out, call.end);
        break;
      case PreviewCall::Kind::DrawLine:
      case PreviewCall::Kind::DrawDashedLine:
        out += call.kind == PreviewCall::Kind::DrawLine ? "DrawLine" : "DrawDashedLine";
        AppendNumber(out, call.x);
        AppendNumber(out, call.y);
        AppendNumber(out, call.x2);
        AppendNumber(out, call.y2);
        AppendNumber(out, call.colour);
        break;
      case PreviewCall::Kind::FillCircle:
        out += "FillCircle";
        AppendCircle(out, call);
        break;
    }
    out += '\n';
  }
  return out;
}

void ReplayPreviewCalls(const std::vector<PreviewCall>& calls, PreviewCanvas& canvas) {
  for (const PreviewCall& call : calls) {
    switch (call.kind) {
      case PreviewCall::Kind::Clear:
        canvas.Clear();
        break;
      case PreviewCall::Kind::DrawCircle:
        canvas.DrawCircle(call.x, call.y, call.radius, call.colour);
        break;
      case PreviewCall::Kind::DrawArc:
        canvas.DrawArc(call.x, call.y, call.radius, call.colour, call.start, call.end);
        break;
      case PreviewCall::Kind::DrawLine:
        canvas.DrawLine(call.x, call.y, call.x2, call.y2, call.colour);
        break;
      case PreviewCall::Kind::DrawDashedLine:
        canvas.DrawDashedLine(call.x, call.y, call.x2, call.y2, call.colour);
        break;
      case PreviewCall::Kind::FillCircle:
        canvas.FillCircle(call.x, call.y, call.radius, call.colour);
        break;
    }
  }
}

}  // namespace toothwright
