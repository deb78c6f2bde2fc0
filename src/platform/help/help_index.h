// The help folder: HTML topics beside the program and an index (index.tsv) that maps every help
// context number to a topic. A line of the index is
//     <context number> TAB <topic file, relative to the folder, optionally #anchor> TAB <title>
// Blank lines and lines that begin with "#" are skipped. A number of "-" makes a topic without a
// number (a section the title search finds but no control opens by number). A line without a
// number, or whose file does not exist or resolves to a place outside the folder (through "..",
// an absolute path or a link), is ignored. The contents page is contents.html of the folder.
// Every other page of the folder (*.html beside the index) whose title no index line gives
// becomes a topic without a number, so that the title search finds it too.
//
// The control table (control_topics.tsv beside the index) gives the topic of a control that has
// no help number of its own, usually by naming the frame or panel that holds it. A line is
//     <window name> TAB <control name, or name(index) for one control of an array> TAB <file#anchor>
// A name without an index stands for every control of that name in the window. Comments, blank
// lines, malformed lines and targets outside the folder are skipped as in the index.
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

// A line of the control table.
struct HelpControlTopic {
  std::string window;   // the window's name ("frmProps")
  std::string control;  // the control's name ("fraUniProp")
  int32_t index = -1;   // its index in its control array; -1: any
  HelpTopic topic;      // context 0; the title of the index line of the same place, if any
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

  // The control table's topic of a control (a line naming its index first, then one naming
  // every index), or nullptr.
  const HelpTopic* FindControl(std::string_view window, std::string_view control, int32_t index) const;
  const std::vector<HelpControlTopic>& controlTopics() const { return controlTopics_; }

 private:
  void AddUnnumberedPages();
  void LoadControlTable();
  std::string folder_;
  std::string contents_;
  std::string contentsTitle_;
  std::vector<HelpTopic> topics_;
  std::vector<HelpControlTopic> controlTopics_;
};

// The text of an HTML file's <title> element (blanks collapsed), or empty.
std::string HtmlTitleOf(const std::string& path);

}  // namespace platform
