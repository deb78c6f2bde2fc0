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
  QFile file(root + QStringLiteral("/index.tsv"));
  if (!file.open(QIODevice::ReadOnly)) {
    index.AddUnnumberedPages();
    return index;
  }
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const QStringList cols = line.split(QLatin1Char('\t'));
    if (cols.size() < 2) continue;
    bool ok = false;
    const int context = cols[0].trimmed().toInt(&ok);
    if (!ok) continue;
    QString target = cols[1].trimmed();
    QString anchor;
    if (const qsizetype hash = target.indexOf(QLatin1Char('#')); hash >= 0) {
      anchor = target.mid(hash + 1);
      target.truncate(hash);
    }
    const QString path = ResolveInside(root, target);
    if (path.isEmpty()) continue;
    HelpTopic topic;
    topic.context = context;
    topic.file = path.toStdString();
    topic.anchor = anchor.toStdString();
    topic.title = cols.size() >= 3 ? cols[2].simplified().toStdString() : std::string();
    if (topic.title.empty()) topic.title = HtmlTitleOf(topic.file);
    index.topics_.push_back(std::move(topic));
  }
  index.AddUnnumberedPages();
  return index;
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
