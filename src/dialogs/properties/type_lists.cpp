#include "dialogs/properties/type_lists.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

#include "dialogs/properties/props_controls.h"
#include "model/galaxy_types.h"
#include "platform/controls/routines.h"
#include "runtime/numbers.h"
#include "settings/composites.h"
#include "settings/galaxy_persistence.h"
#include "store/typed_readers.h"

namespace dialogs {

namespace {

// Characters at the end of a list line that hold the percent.
constexpr size_t kPercentColumn = 4;

// Where the percents start, from the left of a line's text, before any name is counted.
constexpr int32_t kPercentColumnTwips = 2400;

int PercentColumnIn(const QListWidget& list, const QFontMetrics& fm) {
  const int twipsPerPixel = std::max(1, controls::PixelsToTwipsX(1));
  int column = kPercentColumnTwips / twipsPerPixel;
  const int blanks = fm.horizontalAdvance(QStringLiteral("   "));
  for (int i = 0; i < list.count(); ++i)
    column = std::max(column, fm.horizontalAdvance(QString::fromStdString(ListLineName(list.item(i)->text().toStdString()))) + blanks);
  return column;
}

// Draws a line as its name, then its percent at the list's percent column.
class PercentColumnDelegate : public QStyledItemDelegate {
 public:
  explicit PercentColumnDelegate(QListWidget& list) : QStyledItemDelegate(&list), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    const std::string line = o.text.toStdString();
    const QString percent = QString::fromStdString(ListLinePercent(line));
    o.text = QString::fromStdString(ListLineName(line));
    QStyle* style = o.widget != nullptr ? o.widget->style() : list_.style();
    style->drawControl(QStyle::CE_ItemViewItem, &o, painter, o.widget);
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &o, o.widget);
    // The style keeps a margin inside the text rectangle; the name starts after it.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, o.widget) + 1;
    const QRect place(text.left() + margin + PercentColumnIn(list_, QFontMetrics(o.font)), text.top(),
                      std::max(0, o.rect.right() - text.left()), text.height());
    const QPalette::ColorGroup group = !(o.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (o.state & QStyle::State_Active) ? QPalette::Normal
                                                                           : QPalette::Inactive;
    painter->save();
    painter->setFont(o.font);
    painter->setPen(o.palette.color(group, (o.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(place, Qt::AlignLeft | Qt::AlignVCenter, percent);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QFontMetrics fm(option.font);
    const std::string line = index.data(Qt::DisplayRole).toString().toStdString();
    size.setWidth(std::max(size.width(), PercentColumnIn(list_, fm) + fm.horizontalAdvance(QString::fromStdString(ListLinePercent(line))) + 8));
    return size;
  }

 private:
  QListWidget& list_;
};

}  // namespace

void DrawPercentsInOneColumn(controls::ListBox& list) { list.setItemDelegate(new PercentColumnDelegate(list)); }

int PercentColumnPixels(const controls::ListBox& list) { return PercentColumnIn(list, QFontMetrics(list.font())); }

std::string ListLineName(std::string_view line) {
  return runtime::TrimBlanks(line.substr(0, line.size() > kPercentColumn ? line.size() - kPercentColumn : 0));
}

std::string ListLinePercent(std::string_view line) {
  return runtime::TrimBlanks(line.substr(line.size() > kPercentColumn ? line.size() - kPercentColumn : 0));
}

void AddGalaxyLine(PropsControls& c, int32_t n) {
  if (n < 0 || n >= model::kEditableGalaxyTypes) return;
  const model::GalaxyTypeProps& g = model::records().GalaxyTypes[static_cast<size_t>(n)];
  controls::SizeComboToText(*c.lstUniGalaxy, g._UniGalName, g._UniGalPct, true);
}

void FillGalaxyList(PropsControls& c, bool reload) {
  if (reload) settings::LoadAllGalaxiesReg();
  c.lstUniGalaxy->Clear();
  for (int32_t n = 0; n < model::kEditableGalaxyTypes; ++n) AddGalaxyLine(c, n);
  c.lstUniGalaxy->SetListIndex(0);
}

std::string CompositeListName(int32_t c, std::string_view name) {
  if (!name.empty()) return std::string(name);
  return "< Galaxy Composite " + runtime::LongToText(c + 1) + " >";
}

void FillCompositeList(PropsControls& c, bool fromRegistry) {
  c.lstCompMinor->Clear();
  c.cboCompMajor->Clear();
  for (int32_t i = 0; i < model::kEditableGalaxyTypes; ++i) {
    std::string line = c.lstUniGalaxy->List(i);
    line.resize(line.size() > kPercentColumn ? line.size() - kPercentColumn : 0);
    c.cboCompMajor->AddItem(line);
    c.lstCompMinor->AddItem(line);
  }
  // The lines are measured in the composite list's own font (SizeComboToText), so the
  // window's font stays as it is.
  c.lstCompGalaxy->Clear();
  for (int32_t k = 0; k < model::kCompositeCount; ++k) {
    std::string name;
    int32_t percent = 0;
    if (fromRegistry) {
      const std::string section = settings::CompositeRegSection(k);
      name = store::GetSettingString(section, "_CompGalName", "");
      percent = store::GetSettingLong(section, "_CompGalPct", 0);
    } else {
      const model::CompositeRecord& r = model::records().CompositeGalaxies[static_cast<size_t>(k)];
      name = r._CompGalName;
      percent = r._CompGalPct;
    }
    controls::SizeComboToText(*c.lstCompGalaxy, CompositeListName(k, name), percent, true);
  }
}

}  // namespace dialogs
