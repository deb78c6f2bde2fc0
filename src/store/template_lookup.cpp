#include "store/template_lookup.h"

#include <fstream>
#include <iterator>

#include "runtime/text_codec.h"

namespace store {

TemplateLookupState& templateState() {
  static TemplateLookupState s;
  return s;
}

void ClearTemplateCache() {
  templateState().TemplateText.clear();
  templateState().cachedPath.clear();
}

namespace {

// Position of `needle` at the start of a line of `text` (from `from` up to `end`).
size_t FindAtLineStart(const std::string& text, std::string_view needle, size_t from, size_t end) {
  for (size_t pos = text.find(needle, from); pos != std::string::npos && pos < end;
       pos = text.find(needle, pos + 1)) {
    if (pos + needle.size() > end) break;
    if (pos == 0 || text[pos - 1] == '\n') return pos;
  }
  return std::string::npos;
}

bool LoadCache(const std::string& path) {
  auto& st = templateState();
  if (!st.TemplateText.empty() && st.cachedPath == path) return true;
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    ClearTemplateCache();
    return false;
  }
  std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (f.bad()) {
    ClearTemplateCache();
    return false;
  }
  st.TemplateText = runtime::FileTextToUtf8(bytes);
  st.cachedPath = path;
  return !st.TemplateText.empty();
}

}  // namespace

std::string ReadTemplateValue(std::string_view section, std::string_view key, const runtime::TextValue& def,
                              std::string_view path) {
  auto& st = templateState();
  std::string file = path.empty() ? st.TemplatePath : std::string(path);
  if (!LoadCache(file)) return def.text();
  const std::string& text = st.TemplateText;

  std::string header = "[" + std::string(section) + "]";
  size_t h = FindAtLineStart(text, header, 0, text.size());
  if (h == std::string::npos) return def.text();
  size_t bodyStart = h + header.size();
  size_t bodyEnd = FindAtLineStart(text, "[", bodyStart, text.size());
  if (bodyEnd == std::string::npos) bodyEnd = text.size();

  std::string keyEq = std::string(key) + "=";
  size_t k = FindAtLineStart(text, keyEq, bodyStart, bodyEnd);
  if (k == std::string::npos) return def.text();
  size_t vStart = k + keyEq.size();
  size_t lf = text.find('\n', vStart);
  if (lf == std::string::npos || lf > bodyEnd) return def.text();
  size_t vEnd = lf;
  if (vEnd > vStart && text[vEnd - 1] == '\r') --vEnd;
  return text.substr(vStart, vEnd - vStart);
}

}  // namespace store
