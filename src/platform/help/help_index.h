// The help folder: HTML topics beside the program and an index (index.tsv) that maps every help
// context number to a topic. A line of the index is
//     <context number> TAB <topic file, relative to the folder, optionally #anchor> TAB <title>
// Blank lines and lines that begin with "#" are skipped. A line without a number, or whose file
// does not exist or resolves to a place outside the folder (through "..", an absolute path or a
// link), is ignored. The contents page is contents.html of the folder. Every other page of the
// folder (*.html beside the index) whose title no index line gives becomes a topic without a
// number, so that the title search finds it too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct HelpTopic {
  int32_t context = 0;  // 0: a page without a number
  std::string file;    // absolute, canonical path of the topic's HTML file
  std::string anchor;  // the part after "#", or empty
  std::string title;   // the index's title, or the file's <title> when the index gives none
};

class HelpIndex {
 public:
  // Reads <folder>/index.tsv; a missing folder or index gives an empty index.
  static HelpIndex Load(const std::string& folder);

  const std::string& folder() const { return folder_; }
  // The topic of a context number (the first line that names it), or nullptr.
  const HelpTopic* Find(int32_t context) const;
  // Absolute path of contents.html, or empty when the folder has none.
  const std::string& ContentsPath() const { return contents_; }
  const std::string& ContentsTitle() const { return contentsTitle_; }
  // The topics whose title holds every blank-separated word of `words` (letter case ignored),
  // one per title, sorted by title. Empty words list every topic.
  std::vector<const HelpTopic*> Search(std::string_view words) const;
  const std::vector<HelpTopic>& topics() const { return topics_; }

 private:
  void AddUnnumberedPages();
  std::string folder_;
  std::string contents_;
  std::string contentsTitle_;
  std::vector<HelpTopic> topics_;
};

// The text of an HTML file's <title> element (blanks collapsed), or empty.
std::string HtmlTitleOf(const std::string& path);

}  // namespace platform
