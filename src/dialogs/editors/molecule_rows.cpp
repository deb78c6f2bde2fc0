#include "dialogs/editors/molecule_rows.h"

#include "runtime/numbers.h"

namespace dialogs {

namespace {

constexpr size_t kNameWidth = 18;
constexpr size_t kTypeWidth = 10;

// Where each number column starts (0-based) and how wide it is.
struct Column {
  size_t start, width;
};
constexpr std::array<Column, 5> kNumberColumns{{{30, 4}, {36, 4}, {42, 4}, {48, 6}, {56, 6}}};

std::string PadRight(std::string_view text, size_t width) {
  std::string s(text.substr(0, width));
  s.resize(width, ' ');
  return s;
}

std::string PadLeft(std::string_view text, size_t width) {
  if (text.size() >= width) return std::string(text.substr(0, width));
  return std::string(width - text.size(), ' ') + std::string(text);
}

// The nearest whole number (halves to even) within lower..upper; not a number gives lower.
int32_t WholeWithin(double v, int32_t lower, int32_t upper) {
  if (!(v >= lower)) v = lower;
  if (v > upper) v = upper;
  return runtime::ToLongOr(v, lower);
}

std::string Slice(std::string_view row, size_t start, size_t width) {
  if (start >= row.size()) return {};
  return std::string(row.substr(start, width));
}

}  // namespace

const std::array<std::string, kStructureTypeCount>& StructureTypeNames() {
  static const std::array<std::string, kStructureTypeCount> names{
      "Single    ", " 6 Point  ", " 8 Point  ", "18 Shell  ", "26 Shell  ", "38 Shell  ",
      "Rectgrid  ", "Hexagrid  ", "Cube      ", "Tetramatrx", "Octamatrix", "Hexamatrix"};
  return names;
}

std::string StructureTypeName(int32_t t) {
  if (t < 0 || t >= kStructureTypeCount) return {};
  return StructureTypeNames()[static_cast<size_t>(t)];
}

int32_t GetStructureTypeIndex(std::string_view name) {
  const auto& names = StructureTypeNames();
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int32_t>(i);
  return 0;
}

std::string FormatAtomRow(std::string_view elementName, std::string_view typeName, const AtomValues& v) {
  std::string row = PadRight(elementName, kNameWidth) + PadLeft(typeName, kTypeWidth);
  const double values[] = {v.x, v.y, v.z, v.radius, v.extra};
  for (size_t i = 0; i < kNumberColumns.size(); ++i)
    row += "  " + PadLeft(std::to_string(WholeWithin(values[i], 0, kAtomValueMax)), kNumberColumns[i].width);
  return row;
}

std::string RowTypeText(std::string_view row) { return Slice(row, kNameWidth, kTypeWidth); }

std::array<std::string, 5> RowNumberTexts(std::string_view row) {
  std::array<std::string, 5> out;
  for (size_t i = 0; i < out.size(); ++i) {
    std::string s = Slice(row, kNumberColumns[i].start, kNumberColumns[i].width);
    std::string kept;
    for (char c : s)
      if (c != ' ') kept += c;
    out[i] = kept;
  }
  return out;
}

AtomColumns ParseAtomRow(std::string_view row) {
  AtomColumns a;
  a.type = GetStructureTypeIndex(RowTypeText(row));
  const auto texts = RowNumberTexts(row);
  for (size_t i = 0; i < texts.size(); ++i)
    a.numbers[i] = WholeWithin(runtime::Val(texts[i]), 0, kAtomValueMax);
  if (IsGridType(a.type)) a.numbers[0] = runtime::ClampLong(a.numbers[0], kGridEdgeMin, kGridEdgeMax);
  return a;
}

}  // namespace dialogs
