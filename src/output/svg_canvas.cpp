// SVG output of the preview. The canvas's twips become the document's user units one to one,
// so the only conversion here is of angles: the canvas measures them counter-clockwise as seen
// on the screen, and SVG draws such an arc with its sweep flag 0 in a y-down frame.
#include "output/svg_canvas.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

namespace toothwright {
namespace {

constexpr double kTwipsPerInch = 1440;
// Longest shortest-round-trip text of a double with room to spare.
constexpr size_t kNumberBuffer = 32;
// Outlines one unit wide as seen on the screen, like the window's default pen, whatever the
// scale the document is shown at.
constexpr std::string_view kStroke =
    "fill=\"none\" stroke-width=\"1\" vector-effect=\"non-scaling-stroke\"";

// The shortest text that reads back to the same float.
std::string Number(double value) {
  std::array<char, kNumberBuffer> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<float>(value));
  return std::string(buffer.data(), result.ptr);
}

// "#rrggbb" from a 24-bit colour with red in the low byte.
std::string HexColour(std::uint32_t colour) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string text = "#";
  for (int shift : {0, 8, 16}) {
    const std::uint32_t byte = (colour >> shift) & 0xFF;
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

}  // namespace

SvgCanvas::SvgCanvas(float outer_width, float outer_height, float border)
    : outer_width_(outer_width), outer_height_(outer_height), border_(border) {}

void SvgCanvas::Clear() {
  shapes_.clear();
}

float SvgCanvas::OuterWidth() const {
  return outer_width_;
}

float SvgCanvas::OuterHeight() const {
  return outer_height_;
}

void SvgCanvas::DrawCircle(float x, float y, float radius, std::uint32_t colour) {
  shapes_ += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"" + Number(radius) +
             "\" stroke=\"" + HexColour(colour) + "\" ";
  shapes_ += kStroke;
  shapes_ += "/>\n";
}

void SvgCanvas::DrawArc(float x, float y, float radius, std::uint32_t colour, float start,
                        float end) {
  double sweep = static_cast<double>(end) - start;
  if (sweep == 0) return;
  if (sweep < 0) sweep += 2 * std::numbers::pi;  // the arc passes through angle 0
  // Angle a is the point (x + r cos a, y - r sin a): up the screen for a = pi/2.
  const double x0 = x + radius * std::cos(static_cast<double>(start));
  const double y0 = y - radius * std::sin(static_cast<double>(start));
  const double x1 = x + radius * std::cos(static_cast<double>(end));
  const double y1 = y - radius * std::sin(static_cast<double>(end));
  const char* large = sweep > std::numbers::pi ? " 1 0 " : " 0 0 ";
  shapes_ += "<path d=\"M" + Number(x0) + " " + Number(y0) + " A" + Number(radius) + " " +
             Number(radius) + " 0" + large + Number(x1) + " " + Number(y1) + "\" stroke=\"" +
             HexColour(colour) + "\" ";
  shapes_ += kStroke;
  shapes_ += "/>\n";
}

void SvgCanvas::DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) {
  shapes_ += "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) +
             "\" y2=\"" + Number(y2) + "\" stroke=\"" + HexColour(colour) + "\" ";
  shapes_ += kStroke;
  shapes_ += "/>\n";
}

void SvgCanvas::DrawDashedLine(float x1, float y1, float x2, float y2, std::uint32_t colour) {
  shapes_ += "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) +
             "\" y2=\"" + Number(y2) + "\" stroke=\"" + HexColour(colour) +
             "\" stroke-dasharray=\"" + Number(kDashTwips) + "\" ";
  shapes_ += kStroke;
  shapes_ += "/>\n";
}

void SvgCanvas::FillCircle(float x, float y, float radius, std::uint32_t colour) {
  const std::string hex = HexColour(colour);
  shapes_ += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"" + Number(radius) +
             "\" fill=\"" + hex + "\" stroke=\"" + hex +
             "\" stroke-width=\"1\" vector-effect=\"non-scaling-stroke\"/>\n";
}

std::string SvgCanvas::Document() const {
  const double width = static_cast<double>(outer_width_) - 2.0 * border_;
  const double height = static_cast<double>(outer_height_) - 2.0 * border_;
  std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width / kTwipsPerInch) +
         "in\" height=\"" + Number(height / kTwipsPerInch) + "in\" viewBox=\"0 0 " + Number(width) +
         " " + Number(height) + "\">\n";
  doc += "<rect width=\"" + Number(width) + "\" height=\"" + Number(height) +
         "\" fill=\"#ffffff\"/>\n";
  doc += shapes_;
  doc += "</svg>\n";
  return doc;
}

}  // namespace toothwright
