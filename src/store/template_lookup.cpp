#include "store/template_lookup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "runtime/text_codec.h"

namespace store {

TemplateLookupState& templateState() {
  static TemplateLookupState s;
  return s;
}

void ClearTemplateCache() {
  auto& st = templateState();
  st.TemplateText.clear();
  st.cachedPath.clear();
  st.sections.clear();
  st.keys.clear();
}

namespace {

std::string_view NameOf(const std::string& text, const TemplateName& n) {
  return std::string_view(text).substr(n.at, n.len);
}

// Sorts names by their text, keeping only the first (earliest) line of each name.
void SortFirstOfEach(const std::string& text, std::vector<TemplateName>& names) {
  auto less = [&](const TemplateName& a, const TemplateName& b) { return NameOf(text, a) < NameOf(text, b); };
  auto same = [&](const TemplateName& a, const TemplateName& b) { return NameOf(text, a) == NameOf(text, b); };
  std::stable_sort(names.begin(), names.end(), less);
  names.erase(std::unique(names.begin(), names.end(), same), names.end());
  names.shrink_to_fit();
}

const TemplateName* FindName(const std::string& text, const std::vector<TemplateName>& names,
                             std::string_view name) {
  auto it = std::lower_bound(names.begin(), names.end(), name,
                             [&](const TemplateName& n, std::string_view v) { return NameOf(text, n) < v; });
  return it != names.end() && NameOf(text, *it) == name ? &*it : nullptr;
}

// One pass over the text: every line that starts with "[" ends the section before it; those
// with a "]" on the same line are headers named by the text between the two.
std::vector<TemplateName> IndexSections(const std::string& text) {
  constexpr size_t kNone = SIZE_MAX;
  std::vector<TemplateName> sections;
  size_t open = kNone;  // the header whose body runs on
  for (size_t p = 0; p < text.size();) {
    const size_t lf = text.find('\n', p);
    const size_t lineEnd = lf == std::string::npos ? text.size() : lf;
    if (text[p] == '[') {
      if (open != kNone) sections[open].end = static_cast<uint32_t>(p);
      open = kNone;
      const size_t close = std::string_view(text).substr(0, lineEnd).find(']', p + 1);
      if (close != std::string::npos) {
        open = sections.size();
        sections.push_back({static_cast<uint32_t>(p + 1), static_cast<uint32_t>(close - p - 1),
                            static_cast<uint32_t>(text.size())});
      }
    }
    p = lineEnd + 1;
  }
  SortFirstOfEach(text, sections);
  return sections;
}

// The keys of a section body: every line after the header line with an "=" on it, named by
// the text before its first "=".
std::vector<TemplateName> IndexKeys(const std::string& text, size_t bodyStart, size_t bodyEnd) {
  std::vector<TemplateName> keys;
  size_t p = text.find('\n', bodyStart);
  while (p != std::string::npos && p + 1 < bodyEnd) {
    const size_t line = p + 1;
    // The body ends at a line start or at the end of the text, so a line of it ends inside it
    // or has no line end at all.
    const size_t lf = text.find('\n', line);
    const size_t lineEnd = lf == std::string::npos ? bodyEnd : lf;
    const size_t eq = std::string_view(text).substr(0, lineEnd).find('=', line);
    if (eq != std::string::npos)
      keys.push_back({static_cast<uint32_t>(line), static_cast<uint32_t>(eq - line),
                      lf == std::string::npos ? kNoLineEnd : static_cast<uint32_t>(lf)});
    p = lf;
  }
  SortFirstOfEach(text, keys);
  return keys;
}

// Position of `needle` at the start of a line of `text` (from `from` up to `end`): the search
// for names the indexes cannot hold (a section name with "]" or a line feed in it, a key with
// "=" or a line feed in it).
size_t FindAtLineStart(const std::string& text, std::string_view needle, size_t from, size_t end) {
  for (size_t pos = text.find(needle, from); pos != std::string::npos && pos < end;
       pos = text.find(needle, pos + 1)) {
    if (pos + needle.size() > end) break;
    if (pos == 0 || text[pos - 1] == '\n') return pos;
  }
  return std::string::npos;
}

// The whole file, unless it is not a regular file, is larger than kMaxTemplateBytes or cannot
// be read.
bool ReadWholeFile(const std::string& path, std::string& bytes) {
  // Opened without blocking: a named pipe with no writer would otherwise hold the open for as
  // long as none comes. Links are followed; what they lead to must be a regular file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct stat st {};
  bool good = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0 &&
              static_cast<uint64_t>(st.st_size) <= kMaxTemplateBytes;
  // Read in pieces, so that a file growing meanwhile is refused at the bound as well.
  char piece[1 << 16];
  while (good) {
    const ssize_t n = ::read(fd, piece, sizeof piece);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      good = n == 0;
      break;
    }
    bytes.append(piece, static_cast<size_t>(n));
    good = bytes.size() <= kMaxTemplateBytes;
  }
  ::close(fd);
  return good;
}

}  // namespace

bool LoadTemplateText(std::string_view path) {
  auto& st = templateState();
  const std::string file = path.empty() ? st.TemplatePath : std::string(path);
  if (!st.TemplateText.empty() && st.cachedPath == file) return true;
  ClearTemplateCache();
  std::string bytes;
  if (!ReadWholeFile(file, bytes)) return false;
  st.TemplateText = runtime::FileTextToUtf8(bytes);
  if (st.TemplateText.empty()) return false;
  st.cachedPath = file;
  st.sections = IndexSections(st.TemplateText);
  return true;
}

bool TemplateHasSection(std::string_view section, std::string_view path) {
  if (!LoadTemplateText(path)) return false;
  const auto& st = templateState();
  if (section.find_first_of("]\n") == std::string_view::npos)
    return FindName(st.TemplateText, st.sections, section) != nullptr;
  const std::string header = "[" + std::string(section) + "]";
  return FindAtLineStart(st.TemplateText, header, 0, st.TemplateText.size()) != std::string::npos;
}

std::string ReadTemplateValue(std::string_view section, std::string_view key, const runtime::TextValue& def,
                              std::string_view path) {
  if (!LoadTemplateText(path)) return def.text();
  auto& st = templateState();
  const std::string& text = st.TemplateText;

  // The section's body: from behind its header up to the next line that starts with "[".
  size_t bodyStart = 0, bodyEnd = 0;
  const TemplateName* indexed = nullptr;
  if (section.find_first_of("]\n") == std::string_view::npos) {
    indexed = FindName(text, st.sections, section);
    if (!indexed) return def.text();
    bodyStart = indexed->at + indexed->len + 1;
    bodyEnd = indexed->end;
  } else {
    const std::string header = "[" + std::string(section) + "]";
    const size_t h = FindAtLineStart(text, header, 0, text.size());
    if (h == std::string::npos) return def.text();
    bodyStart = h + header.size();
    bodyEnd = FindAtLineStart(text, "[", bodyStart, text.size());
    if (bodyEnd == std::string::npos) bodyEnd = text.size();
  }

  // The key's line: the value runs from behind "=" to the line feed, without a CR before it.
  size_t vStart = 0, lf = std::string::npos;
  if (indexed && key.find_first_of("=\n") == std::string_view::npos) {
    const size_t s = static_cast<size_t>(indexed - st.sections.data());
    auto found = st.keys.find(s);
    if (found == st.keys.end()) found = st.keys.emplace(s, IndexKeys(text, bodyStart, bodyEnd)).first;
    const TemplateName* k = FindName(text, found->second, key);
    if (!k) return def.text();
    vStart = k->at + k->len + 1;
    if (k->end != kNoLineEnd) lf = k->end;
  } else {
    const std::string keyEq = std::string(key) + "=";
    const size_t k = FindAtLineStart(text, keyEq, bodyStart, bodyEnd);
    if (k == std::string::npos) return def.text();
    vStart = k + keyEq.size();
    lf = text.find('\n', vStart);
    if (lf != std::string::npos && lf > bodyEnd) lf = std::string::npos;
  }
  if (lf == std::string::npos) return def.text();
  size_t vEnd = lf;
  if (vEnd > vStart && text[vEnd - 1] == '\r') --vEnd;
  return text.substr(vStart, vEnd - vStart);
}

}  // namespace store
