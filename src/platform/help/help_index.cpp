#include "platform/help/help_index.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace platform {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The canonical path of `relative` inside the canonical folder `root`, or empty when the file does
// not exist or lies outside the folder.
QString ResolveInside(const QString& root, const QString& relative) {
  if (relative.isEmpty() || QDir::isAbsolutePath(relative)) return {};
  const QString canonical = QFileInfo(root + QLatin1Char('/') + relative).canonicalFilePath();
  if (canonical.isEmpty() || !canonical.startsWith(root + QLatin1Char('/'))) return {};
  if (!QFileInfo(canonical).isFile()) return {};
  return canonical;
}

// The lines of a table file of the folder, without blank lines and comments, split at tabs.
std::vector<QStringList> TableLines(const QString& path) {
  std::vector<QStringList> lines;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return lines;
  for (const QString& raw : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    lines.push_back(line.split(QLatin1Char('\t')));
  }
  return lines;
}

// Fills the file and anchor of `topic` from "file#anchor" inside the folder; false when the file
// is missing or outside.
bool SetTarget(const QString& root, QString target, HelpTopic& topic) {
  target = target.trimmed();
  QString anchor;
  if (const qsizetype hash = target.indexOf(QLatin1Char('#')); hash >= 0) {
    anchor = target.mid(hash + 1);
    target.truncate(hash);
  }
  const QString path = ResolveInside(root, target);
  if (path.isEmpty()) return false;
  topic.file = path.toStdString();
  topic.anchor = anchor.toStdString();
  return true;
}

}  // namespace

std::string HtmlTitleOf(const std::string& path) {
  QFile file(Q(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QString text = QString::fromUtf8(file.read(64 * 1024));
  static const QRegularExpression re(QStringLiteral("<title>(.*?)</title>"),
                                     QRegularExpression::CaseInsensitiveOption |
                                         QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch m = re.match(text);
  if (!m.hasMatch()) return {};
  return m.captured(1).simplified().toStdString();
}

HelpIndex HelpIndex::Load(const std::string& folder) {
  HelpIndex index;
  const QString root = QFileInfo(Q(folder)).canonicalFilePath();
  if (root.isEmpty()) return index;
  index.folder_ = root.toStdString();
  const QString contents = ResolveInside(root, QStringLiteral("contents.html"));
  if (!contents.isEmpty()) {
    index.contents_ = contents.toStdString();
    index.contentsTitle_ = HtmlTitleOf(index.contents_);
  }
  for (const QStringList& cols : TableLines(root + QStringLiteral("/index.tsv"))) {
    if (cols.size() < 2) continue;
    const QString number = cols[0].trimmed();
    bool ok = number == QLatin1String("-");  // a topic without a number
    const int context = ok ? 0 : number.toInt(&ok);
    if (!ok) continue;
    HelpTopic topic;
    topic.context = context;
    if (!SetTarget(root, cols[1], topic)) continue;
    topic.title = cols.size() >= 3 ? cols[2].simplified().toStdString() : std::string();
    if (topic.title.empty()) topic.title = HtmlTitleOf(topic.file);
    index.topics_.push_back(std::move(topic));
  }
  index.AddUnnumberedPages();
  index.LoadControlTable();
  return index;
}

void HelpIndex::LoadControlTable() {
  const QString root = Q(folder_);
  // A name, or a name and an index in parentheses.
  static const QRegularExpression key(QStringLiteral("^(\\w+)(?:\\((\\d{1,5})\\))?$"));
  for (const QStringList& cols : TableLines(root + QStringLiteral("/control_topics.tsv"))) {
    if (cols.size() < 3) continue;
    HelpControlTopic row;
    row.window = cols[0].trimmed().toStdString();
    const QRegularExpressionMatch m = key.match(cols[1].trimmed());
    if (!m.hasMatch()) continue;
    row.control = m.captured(1).toStdString();
    if (m.hasCaptured(2)) row.index = m.captured(2).toInt();
    if (row.window.empty() || !SetTarget(root, cols[2], row.topic)) continue;
    for (const HelpTopic& t : topics_)
      if (t.file == row.topic.file && t.anchor == row.topic.anchor) {
        row.topic.title = t.title;
        break;
      }
    if (row.topic.title.empty()) row.topic.title = HtmlTitleOf(row.topic.file);
    controlTopics_.push_back(std::move(row));
  }
}

const HelpTopic* HelpIndex::FindControl(std::string_view window, std::string_view control, int32_t index) const {
  const HelpTopic* any = nullptr;
  for (const HelpControlTopic& row : controlTopics_) {
    if (row.window != window || row.control != control) continue;
    if (row.index == index && index >= 0) return &row.topic;
    if (row.index < 0 && any == nullptr) any = &row.topic;
  }
  return any;
}

void HelpIndex::AddUnnumberedPages() {
  const QString root = Q(folder_);
  const QStringList pages = QDir(root).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
  for (const QString& name : pages) {
    const QString path = ResolveInside(root, name);
    if (path.isEmpty() || path.toStdString() == contents_) continue;
    HelpTopic topic;
    topic.file = path.toStdString();
    topic.title = HtmlTitleOf(topic.file);
    const bool known = std::any_of(topics_.begin(), topics_.end(), [&](const HelpTopic& t) {
      return t.title == topic.title || (t.file == topic.file && t.anchor.empty());
    });
    if (!topic.title.empty() && !known) topics_.push_back(std::move(topic));
  }
}

const HelpTopic* HelpIndex::Find(int32_t context) const {
  if (context <= 0) return nullptr;
  for (const HelpTopic& t : topics_)
    if (t.context == context) return &t;
  return nullptr;
}

std::vector<const HelpTopic*> HelpIndex::Search(std::string_view words) const {
  const QStringList wanted =
      QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size())).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  std::vector<const HelpTopic*> found;
  for (const HelpTopic& t : topics_) {
    const QString title = Q(t.title);
    if (title.isEmpty()) continue;
    const bool all = std::all_of(wanted.begin(), wanted.end(),
                                 [&](const QString& w) { return title.contains(w, Qt::CaseInsensitive); });
    if (!all) continue;
    const bool seen = std::any_of(found.begin(), found.end(), [&](const HelpTopic* f) { return f->title == t.title; });
    if (!seen) found.push_back(&t);
  }
  std::sort(found.begin(), found.end(), [](const HelpTopic* a, const HelpTopic* b) {
    return Q(a->title).compare(Q(b->title), Qt::CaseInsensitive) < 0;
  });
  return found;
}

}  // namespace platform
