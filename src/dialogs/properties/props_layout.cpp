#include "dialogs/properties/props_layout.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QStackedLayout>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/properties/galaxy_style.h"
#include "dialogs/properties/prop_copy.h"
#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/type_lists.h"
#include "presentation/render_state.h"
#include "runtime/numbers.h"

namespace dialogs {

namespace {

int TwipsX(int twips) { return runtime::ToLongOr(static_cast<double>(twips) / presentation::render().TwipsPerPixelX, 1); }
int TwipsY(int twips) { return runtime::ToLongOr(static_cast<double>(twips) / presentation::render().TwipsPerPixelY, 1); }

// Widgets side by side, left-aligned.
QHBoxLayout* Across(std::initializer_list<QWidget*> widgets, bool alignLeft = true) {
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  for (QWidget* w : widgets) row->addWidget(w);
  if (alignLeft) row->addStretch(1);
  return row;
}

// Frames are filled closely, so that the window fits small screens.
template <class L>
L* Close(L* layout) {
  layout->setContentsMargins(6, 2, 6, 4);
  layout->setSpacing(2);
  return layout;
}

QGridLayout* GridOf(QWidget* frame) {
  auto* g = Close(new QGridLayout(frame));
  g->setHorizontalSpacing(6);
  return g;
}

// Appends a field row: the caption in column 0, the fields side by side in column 1.
void AddRow(QGridLayout* g, QWidget* label, std::initializer_list<QWidget*> fields) {
  const int row = g->rowCount();
  if (label != nullptr) g->addWidget(label, row, 0);
  g->addLayout(Across(fields), row, 1);
}

// Appends a widget across both columns.
void AddSpan(QGridLayout* g, QWidget* w) { g->addWidget(w, g->rowCount(), 0, 1, 2); }

// Appends a row whose wide list starts right after its short caption, across both columns, so
// that the list does not widen the field column of the rows below.
void AddWideRow(QGridLayout* g, std::initializer_list<QWidget*> widgets) {
  g->addLayout(Across(widgets), g->rowCount(), 0, 1, 2);
}

// A widget that shares its place with others keeps it while hidden.
void KeepPlaceWhenHidden(QWidget* w) {
  QSizePolicy p = w->sizePolicy();
  p.setRetainSizeWhenHidden(true);
  w->setSizePolicy(p);
}

// Frames that lie in one place; the one in front covers the others.
QStackedLayout* StackOf(std::initializer_list<QWidget*> frames) {
  auto* stack = new QStackedLayout;
  stack->setStackingMode(QStackedLayout::StackAll);
  for (QWidget* f : frames) {
    f->setAutoFillBackground(true);
    stack->addWidget(f);
  }
  return stack;
}

// The row of a frame's top border line, in the frame's own coordinates, as the style draws it:
// a frame of the same font and caption is drawn offscreen and searched from the top, right of
// any caption.
int TopBorderRow(const QGroupBox& frame) {
  QGroupBox probe(frame.title());
  probe.setFont(frame.font());
  probe.resize(240, 80);
  const QImage image = probe.grab().toImage();
  if (image.isNull()) return 0;
  // The grab may be scaled by the device pixel ratio.
  const double ratio = image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1.0;
  const int x = image.width() - runtime::ToLongOr(20 * ratio, 20);
  const QRgb background = image.pixel(x, 0);
  for (int y = 0; y < image.height() / 2; ++y)
    if (image.pixel(x, y) != background) return runtime::ToLongOr(y / ratio, 0);
  return 0;
}

// Where a frame's caption ends (its left inner edge for a frame without one).
int CaptionRight(const QGroupBox& frame) {
  if (frame.title().isEmpty()) return 2;
  QStyleOptionGroupBox option;
  option.initFrom(&frame);
  option.text = frame.title();
  option.textAlignment = frame.alignment();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  return frame.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &frame).right() + 1;
}

// Controls that ride on a frame's top border, right of its caption, their vertical centre on
// the border line: the "Extras:" selectors on their panels, the tour check box on its frame,
// the capture buttons on the preview frame. Riders are children of the frame or siblings laid
// over it; they follow the frame wherever the layout puts it and stay in front of the frames
// that share its place (a panel brought to the front does not cover its selector).
class BorderRiders : public QObject {
 public:
  // `frames`: the frame that gives the place first, then any frames that lie in the same place.
  // `stretchLast`: the last rider reaches to the frame's right inner edge.
  BorderRiders(std::vector<QGroupBox*> frames, std::vector<QWidget*> riders, bool stretchLast)
      : QObject(frames.front()), frames_(std::move(frames)), riders_(std::move(riders)), stretchLast_(stretchLast) {
    QGroupBox& frame = *frames_.front();
    line_ = TopBorderRow(frame);
    left_ = CaptionRight(frame) + 6;
    for (QWidget* r : riders_) height_ = std::max(height_, r->sizeHint().height());
    top_ = line_ - height_ / 2;
    for (QGroupBox* f : frames_) f->installEventFilter(this);
    // The frames' rows start below the riders.
    for (QGroupBox* f : frames_) {
      QLayout* rows = f->layout();
      if (rows == nullptr) continue;
      QMargins m = rows->contentsMargins();
      m.setTop(std::max(m.top(), Bottom() + 2 - f->contentsRect().top()));
      rows->setContentsMargins(m);
    }
    int width = left_ + 8;
    for (QWidget* r : riders_) width += (r == riders_.back() && stretchLast_ ? r->minimumSizeHint() : r->sizeHint()).width() + 4;
    frame.setMinimumWidth(std::max(frame.minimumWidth(), width));
  }

  // The room riders laid over the frame need above its top edge.
  int Above() const { return std::max(0, -top_); }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == frames_.front() && (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show))
      Place();
    if (e->type() == QEvent::ZOrderChange)
      for (QWidget* r : riders_)
        if (r->parentWidget() != frames_.front()) r->raise();
    return false;
  }

 private:
  int Bottom() const { return top_ + height_; }

  void Place() {
    QGroupBox& frame = *frames_.front();
    int x = left_;
    for (QWidget* r : riders_) {
      const bool child = r->parentWidget() == &frame;
      const QPoint origin = child ? QPoint(0, 0) : frame.pos();
      int width = r->sizeHint().width();
      if (r == riders_.back() && stretchLast_) width = std::max(r->minimumSizeHint().width(), frame.width() - 8 - x);
      const int top = child ? std::max(0, top_) : top_;
      r->setGeometry(origin.x() + x, origin.y() + top, width, height_);
      if (!child) r->raise();
      x += width + 4;
    }
  }

  std::vector<QGroupBox*> frames_;
  std::vector<QWidget*> riders_;
  bool stretchLast_;
  int line_ = 0, left_ = 0, height_ = 0, top_ = 0;
};

void SizeFields(PropsControls& c) {
  // The lengths the load gives the boxes it couples with spinners count as well.
  std::map<controls::TextBox*, int> lengths;
  for (const SpinnerRange& r : c.SpinnerRanges()) lengths[r.box] = r.maxLength;
  // The shared boxes of the galaxy page take the longest numbers any style allows them.
  for (int index : {3, 4, 5, 6})
    for (int32_t style = 0; style < kGalaxyStyleCount; ++style)
      if (const std::optional<WholeRange> range = SharedBoxRange(style, index))
        lengths[&c.txtGalaxy[index]] =
            std::max(lengths[&c.txtGalaxy[index]], static_cast<int>(std::to_string(range->upper).size()));
  int fieldHeight = 0;
  for (controls::Control* ctl : c.form.Controls()) {
    if (auto* box = dynamic_cast<controls::TextBox*>(ctl)) {
      fieldHeight = std::max(fieldHeight, box->sizeHint().height());
      const int length = std::max(box->MaxLength(), lengths[box]);
      // Numeric boxes are as wide as their digits; names take what the row gives them.
      if (length > 0 && length <= 8) {
        box->setFixedWidth(TextBoxWidthForDigits(*box, length));
      } else {
        box->setMinimumWidth(TextBoxWidthForDigits(*box, 12));
      }
    }
  }
  // Lists keep one width whatever they are filled with: that of their longest fixed item, or
  // a fixed number of characters for the lists the settings fill.
  const std::map<controls::ComboBox*, int> filledLater = {
      {c.cboResolution, 12}, {c.cboFilterEffect, 22}, {c.cboUniProfile, 30},
      {c.cboCompMajor, 30},  {c.cboPropCopy, 12},     {c.cboTourGalaxies, 24}};
  for (controls::Control* ctl : c.form.Controls()) {
    if (auto* list = dynamic_cast<controls::ComboBox*>(ctl)) {
      int chars = 0;
      if (auto it = filledLater.find(list); it != filledLater.end()) chars = it->second;
      for (int32_t i = 0; i < list->ListCount(); ++i) chars = std::max(chars, static_cast<int>(list->List(i).size()));
      list->setMinimumContentsLength(chars);
      list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
  }
  // The value list of the property copy shows the entries of these lists whole.
  int entryWidth = 0;
  for (controls::ComboBox* list : {c.cboGalStyle, c.cboGalProfile, c.cboGalColor, c.cboPulsarShape})
    for (int32_t i = 0; i < list->ListCount(); ++i)
      entryWidth = std::max(entryWidth, c.cboPropCopy->fontMetrics().horizontalAdvance(QString::fromStdString(list->List(i))));
  QStyleOptionComboBox option;
  option.initFrom(c.cboPropCopy);
  c.cboPropCopy->setMinimumWidth(
      c.cboPropCopy->style()
          ->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(entryWidth, c.cboPropCopy->fontMetrics().height()), c.cboPropCopy)
          .width());
  const int extent = c.form.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  for (controls::Control* ctl : c.form.Controls())
    if (auto* spin = dynamic_cast<controls::Spinner*>(ctl)) spin->setFixedSize(extent, fieldHeight);
  // Swatches and profile curves beside their fields.
  c.picColUni->setFixedSize(80, fieldHeight);
  c.picColNova->setFixedSize(80, fieldHeight);
  c.picUniProfile->setFixedSize(48, fieldHeight);
  c.picGalProfile->setFixedSize(48, fieldHeight);
  c.picGalHue->setFixedSize(fieldHeight, fieldHeight);
  for (auto [index, pic] : c.picPixHue) pic->setFixedSize(fieldHeight / 2, fieldHeight);
}

QLayout* LeftColumn(PropsControls& c) {
  // Hue cone: the four value rows beside the disc.
  auto* cone = Close(new QHBoxLayout(c.fraColorProps));
  QWidget* rows = &c.fraHueProps[0];
  auto* coneRows = GridOf(rows);
  for (int i = 0; i < 4; ++i) AddRow(coneRows, &c.lblColorProps[i], {&c.txtColorProps[i], &c.spnHue[i]});
  cone->addWidget(rows, 1);
  c.imgHueWheel->setFixedSize(kConeDiscPixels, kConeDiscPixels);
  cone->addWidget(c.imgHueWheel, 0, Qt::AlignVCenter);

  // Display: size, filter, mask and desktop blend, particle blending.
  auto* display = Close(new QVBoxLayout(c.fraDirectX));
  display->addWidget(c.cboResolution);
  display->addLayout(Across({c.lblFilteringEffect, c.cboFilterEffect}, false));
  auto* mask = new QVBoxLayout;
  mask->addWidget(c.lblFilterRGB);
  mask->addLayout(Across({&c.txtFilterRGB[0], &c.txtFilterRGB[1], &c.txtFilterRGB[2]}));
  auto* desktop = new QVBoxLayout;
  desktop->addWidget(c.lblDesktopPercent);
  desktop->addLayout(Across({&c.txtDesktopBlend[0], &c.txtDesktopBlend[1]}));
  auto* maskRow = new QHBoxLayout;
  maskRow->addLayout(mask);
  maskRow->addStretch(1);
  maskRow->addLayout(desktop);
  display->addLayout(maskRow);
  auto* blend = Across({&c.lblUni[2]}, true);
  for (QWidget* w : std::initializer_list<QWidget*>{&c.lblUni[3], &c.txtUni[2], &c.spnUni[2], &c.txtUni[3], &c.spnUni[3]})
    blend->addWidget(w);
  display->addLayout(blend);

  // Property copy: the chosen property; below it the range caption with the value box, or in
  // the same place the value list or the check box, then "Copy". The caption's place is as wide
  // as the widest range caption, so neither row moves when a property is chosen.
  auto* copy = GridOf(c.fraPropCopy);
  copy->addWidget(c.lblPropCopyPick, 0, 0);
  copy->addWidget(c.cboPropCopyList, 0, 1, 1, 2);
  auto* value = new QGridLayout;
  value->setHorizontalSpacing(6);
  const QString design = c.lblPropCopy->text();
  int captionWidth = c.lblPropCopy->sizeHint().width();
  for (const PropCopyRow& row : PropCopyRows()) {
    if (row.input != PropCopyInput::Text) continue;
    c.lblPropCopy->setText(QString::fromUtf8(row.caption));
    captionWidth = std::max(captionWidth, c.lblPropCopy->sizeHint().width());
  }
  c.lblPropCopy->setText(design);
  c.lblPropCopy->setMinimumWidth(captionWidth);
  value->addWidget(c.lblPropCopy, 0, 0);
  value->addWidget(c.txtPropCopy, 0, 1, Qt::AlignLeft);
  value->addWidget(c.cboPropCopy, 0, 0, 1, 2);
  value->addWidget(c.chkPropCopy, 0, 0, 1, 2);
  value->setColumnStretch(1, 1);
  for (QWidget* w : std::initializer_list<QWidget*>{c.lblPropCopy, c.txtPropCopy, c.cboPropCopy, c.chkPropCopy})
    KeepPlaceWhenHidden(w);
  copy->addLayout(value, 1, 0, 1, 2);
  copy->addWidget(c.cmdPropCopy, 1, 2, Qt::AlignRight);
  copy->setColumnStretch(1, 1);

  // Preview: the picture; the capture buttons on the frame's top edge.
  auto* preview = Close(new QVBoxLayout(c.fraPreview));
  c.picPreview->setMinimumSize(TwipsX(4770), TwipsY(2670));
  c.picPreview->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  preview->addWidget(c.picPreview, 1);
  std::vector<QWidget*> capture;
  for (auto [index, button] : c.cmdCaptureImage) capture.push_back(button);
  new BorderRiders({c.fraPreview}, capture, false);

  // The three upper frames keep one width, the widest one's; the preview is at least as wide.
  int width = 0;
  for (QWidget* f : std::initializer_list<QWidget*>{c.fraColorProps, c.fraDirectX, c.fraPropCopy})
    width = std::max(width, f->sizeHint().width());
  auto* left = new QVBoxLayout;
  for (QWidget* f : std::initializer_list<QWidget*>{c.fraColorProps, c.fraDirectX, c.fraPropCopy}) {
    f->setFixedWidth(width);
    left->addWidget(f, 0, Qt::AlignLeft);
  }
  c.fraPreview->setMinimumWidth(std::max(width, c.fraPreview->minimumWidth()));
  left->addWidget(c.fraPreview, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(c.cmdAccept);
  buttons->addStretch(1);
  buttons->addWidget(c.cmdDismiss);
  left->addLayout(buttons);
  return left;
}

void UniversePanels(PropsControls& c) {
  // Universe creation.
  auto* creation = GridOf(&c.fraUniProp[0]);
  for (auto [label, box] : {std::pair{10, 10}, {11, 11}, {12, 12}, {15, 14}, {14, 18}})
    AddRow(creation, &c.lblUni[label], {&c.txtUni[box]});
  AddRow(creation, &c.lblUni[16], {&c.txtUni[16], &c.spnUni[16], &c.txtUni[17], &c.spnUni[17], c.picColUni});
  AddWideRow(creation, {&c.lblUni[17], c.cboUniProfile, c.picUniProfile});
  creation->addWidget(c.cmdPreviewUni, creation->rowCount(), 1, Qt::AlignRight);
  creation->setRowStretch(creation->rowCount(), 1);

  // New and ambient stars.
  auto* stars = GridOf(&c.fraUniProp[1]);
  for (int i : {20, 21}) AddRow(stars, &c.lblUni[i], {&c.txtUni[i]});
  auto* ambient = GridOf(c.fraAmbient);
  for (int i : {40, 41, 42, 43, 44}) AddRow(ambient, &c.lblUni[i], {&c.txtUni[i]});
  AddSpan(stars, c.fraAmbient);
  stars->setRowStretch(stars->rowCount(), 1);

  // The tour: its check box on the border of the frame it enables.
  auto* tour = GridOf(&c.fraUniProp[2]);
  auto* inTour = GridOf(c.fraUniTour);
  for (int i : {30, 31, 32}) AddRow(inTour, &c.lblUni[i], {&c.txtUni[i]});
  AddSpan(inTour, c.chkVisitSeq);
  auto* trip = Close(new QVBoxLayout(c.fraTripScript));
  trip->addWidget(c.cboTourGalaxies);
  AddSpan(inTour, c.fraTripScript);
  AddSpan(inTour, c.chkRotCamera);
  auto* rotCam = GridOf(c.fraRotCam);
  AddRow(rotCam, &c.lblUni[34], {&c.txtUni[34]});
  AddSpan(inTour, c.fraRotCam);
  c.chkUniTour->setAutoFillBackground(true);  // the border line stops at the check box
  const auto* tourRider = new BorderRiders({c.fraUniTour}, {c.chkUniTour}, false);
  if (tourRider->Above() > 0) tour->addItem(new QSpacerItem(0, tourRider->Above(), QSizePolicy::Minimum, QSizePolicy::Fixed), tour->rowCount(), 0);
  AddSpan(tour, c.fraUniTour);
  AddRow(tour, &c.lblUni[33], {&c.txtUni[33]});
  tour->setRowStretch(tour->rowCount(), 1);

  // Composites.
  auto* comp = GridOf(&c.fraUniProp[3]);
  c.lstCompGalaxy->setMinimumHeight(TwipsY(1260));
  comp->addWidget(c.lstCompGalaxy, 0, 0, 1, 2);
  auto* compButtons = new QVBoxLayout;
  compButtons->addWidget(c.cmdPreviewComp);
  compButtons->addStretch(1);
  compButtons->addWidget(c.cmdResetCompPct);
  compButtons->addWidget(c.txtResetCompPct, 0, Qt::AlignRight);
  comp->addLayout(compButtons, 0, 2);
  auto* compName = new QHBoxLayout;
  compName->setSpacing(4);
  for (QWidget* w : std::initializer_list<QWidget*>{c.txtCompGalName, c.txtCompGalPct, c.spnCompGalPct})
    compName->addWidget(w);
  comp->addLayout(compName, 1, 0, 1, 2);
  comp->addWidget(c.cmdCompCommit, 1, 2);
  comp->addWidget(c.lblCompMajor, 2, 0);
  comp->addWidget(c.cboCompMajor, 2, 1, 1, 2);
  comp->addWidget(c.lblCompMinor, 3, 0, 1, 3);
  c.lstCompMinor->setMinimumHeight(TwipsY(900));
  comp->addWidget(c.lstCompMinor, 4, 0, 1, 3);
  comp->setColumnStretch(1, 1);

  // Gravity, with its note.
  auto* gravity = GridOf(&c.fraUniProp[4]);
  for (int i : {50, 51}) AddRow(gravity, &c.lblUni[i], {&c.txtUni[i]});
  // The note wraps to the panel's width: its own wish, one long line, would widen the right
  // column whenever the window grows.
  QSizePolicy wrapped = c.lblGravityWarning->sizePolicy();
  wrapped.setHorizontalPolicy(QSizePolicy::Ignored);
  c.lblGravityWarning->setSizePolicy(wrapped);
  AddSpan(gravity, c.lblGravityWarning);
  gravity->setRowStretch(gravity->rowCount(), 1);
}

QLayout* UniversePage(PropsControls& c) {
  auto* page = Close(new QVBoxLayout(&c.fraAni[1]));
  auto* types = GridOf(c.fraGalaxyTypes);
  c.lstUniGalaxy->setMinimumSize(TwipsX(3492), TwipsY(1860));
  types->addWidget(c.lstUniGalaxy, 0, 0);
  auto* typeButtons = new QVBoxLayout;
  typeButtons->addWidget(c.cmdGalProps);
  typeButtons->addWidget(c.cmdPreviewGal);
  typeButtons->addStretch(1);
  typeButtons->addWidget(c.cmdResetGalPct);
  typeButtons->addWidget(c.txtResetGalPct, 0, Qt::AlignRight);
  types->addLayout(typeButtons, 0, 1);
  types->addWidget(c.lblGalNamePct, 1, 0, 1, 2);
  auto* nameRow = new QHBoxLayout;
  nameRow->setSpacing(4);
  for (QWidget* w : std::initializer_list<QWidget*>{c.txtUniGalName, c.txtUniGalPct, c.spnUniGalPct})
    nameRow->addWidget(w);
  types->addLayout(nameRow, 2, 0);
  types->addWidget(c.cmdGalCommit, 2, 1);
  types->setRowStretch(0, 1);
  page->addWidget(c.fraGalaxyTypes, 1);

  auto* choices = new QGridLayout;
  choices->addWidget(c.lblUniTheme, 0, 0);
  choices->addWidget(c.cboUniTheme, 0, 1);
  choices->setColumnStretch(1, 1);
  page->addLayout(choices);

  // The panels in one place, their selector on their top border right of "Extras:".
  UniversePanels(c);
  const auto* rider = new BorderRiders({&c.fraUniProp[0], &c.fraUniProp[1], &c.fraUniProp[2], &c.fraUniProp[3], &c.fraUniProp[4]},
                                       {c.cboUniExtras}, true);
  page->addSpacing(rider->Above());
  page->addLayout(StackOf({&c.fraUniProp[0], &c.fraUniProp[1], &c.fraUniProp[2], &c.fraUniProp[3], &c.fraUniProp[4]}));
  return page;
}

void GalaxyPanels(PropsControls& c) {
  // Motion, shape and colour: the rows the style panel re-captions, shows and hides.
  auto* shape = GridOf(&c.fraGalProp[0]);
  AddWideRow(shape, {c.lblGalStyle, c.cboGalStyle});
  AddRow(shape, &c.lblGalaxy[0], {&c.txtGalaxy[0], &c.spnGalaxy[0], &c.txtGalaxy[1], &c.spnGalaxy[1]});
  AddRow(shape, &c.lblGalaxy[1], {&c.txtGalaxy[2], &c.spnGalaxy[2], c.cboGalPlane});
  AddRow(shape, &c.lblGalaxy[2], {&c.txtGalaxy[3], &c.spnGalaxy[3], &c.txtGalaxy[4], &c.spnGalaxy[4]});
  AddRow(shape, &c.lblGalaxy[3], {&c.txtGalaxy[5], &c.spnGalaxy[5], &c.txtGalaxy[6], &c.spnGalaxy[6]});
  // The levels box with its button, or the graviton force, in one place.
  auto* levels = new QGridLayout;
  levels->setSpacing(0);
  levels->addLayout(Across({&c.txtGalaxy[9], c.cmdGalLevels}), 0, 0);
  levels->addWidget(&c.txtGalaxy[8], 0, 0, Qt::AlignLeft);
  auto* ratio = new QHBoxLayout;
  ratio->addLayout(levels);
  ratio->addWidget(&c.txtGalaxy[90]);
  ratio->addStretch(1);
  shape->addWidget(&c.lblGalaxy[90], shape->rowCount(), 0);
  shape->addLayout(ratio, shape->rowCount() - 1, 1);
  for (int i : {91, 92, 93, 94}) AddRow(shape, &c.lblGalaxy[i], {&c.txtGalaxy[i]});
  AddRow(shape, &c.lblGalaxy[95], {&c.txtGalaxy[95], &c.spnGalaxy[95], &c.txtGalaxy[96], c.picGalHue});
  // The profile row, the two control-point check boxes, or the editor button, in one place.
  const int place = shape->rowCount();
  shape->addWidget(&c.lblGalaxy[96], place, 0);
  shape->addLayout(Across({c.cboGalProfile, c.picGalProfile}), place, 1);
  shape->addLayout(Across({c.chkCP_Closed, c.chkCP_AdvHW}), place, 0, 1, 2);
  shape->addWidget(c.cmdIFS_Chem, place, 0, 1, 2, Qt::AlignLeft);
  shape->setRowStretch(place + 1, 1);

  // New stars, novae and pulsars.
  auto* events = Close(new QVBoxLayout(&c.fraGalProp[1]));
  auto* newStars = GridOf(&c.fraStarType[0]);
  for (int i : {10, 11, 12}) AddRow(newStars, &c.lblGalaxy[i], {&c.txtGalaxy[i]});
  auto* novae = GridOf(&c.fraStarType[1]);
  AddRow(novae, &c.lblGalaxy[20], {&c.txtGalaxy[20], &c.txtGalaxy[21]});
  AddRow(novae, &c.lblGalaxy[22], {&c.txtGalaxy[22]});
  auto* pulsars = GridOf(&c.fraStarType[2]);
  AddRow(pulsars, &c.lblGalaxy[30], {&c.txtGalaxy[30], &c.txtGalaxy[31]});
  AddRow(pulsars, &c.lblGalaxy[31], {&c.txtGalaxy[32], &c.txtGalaxy[33]});
  AddRow(pulsars, &c.lblGalaxy[32], {&c.txtGalaxy[34], &c.txtGalaxy[35]});
  AddRow(pulsars, &c.lblGalaxy[33], {c.cboPulsarShape});
  for (int i = 0; i < 3; ++i) events->addWidget(&c.fraStarType[i]);
  events->addStretch(1);

  // Comets and their colours.
  auto* comets = Close(new QVBoxLayout(&c.fraGalProp[2]));
  auto* cometProps = GridOf(c.fraCometProps);
  for (int i = 40; i <= 46; ++i) AddRow(cometProps, &c.lblGalaxy[i], {&c.txtGalaxy[i]});
  AddSpan(cometProps, c.chkCometVector);
  auto* cometColor = GridOf(c.fraCometColor);
  AddRow(cometColor, &c.lblGalaxy[23], {&c.txtGalaxy[47], &c.spnGalaxy[47], &c.txtGalaxy[48], &c.spnGalaxy[48], c.picColNova});
  AddRow(cometColor, &c.lblGalaxy[49], {&c.txtGalaxy[49]});
  comets->addWidget(c.fraCometProps);
  comets->addWidget(c.fraCometColor);
  comets->addStretch(1);
}

QLayout* GalaxyPage(PropsControls& c) {
  auto* page = Close(new QVBoxLayout(&c.fraAni[0]));
  auto* theme = new QGridLayout;
  theme->addWidget(c.lblGalTheme, 0, 0);
  theme->addWidget(c.cboGalTheme, 0, 1);
  theme->addWidget(c.cmdAcceptGalProps, 0, 2);
  theme->setColumnStretch(1, 1);
  page->addLayout(theme);

  // Star hue: the computation list and the nebula caption share one place.
  auto* hue = GridOf(c.fraGalaxyColor);
  hue->addWidget(c.cboGalColor, 0, 0);
  hue->addWidget(c.lblOtherColorCycles, 0, 0);
  hue->addLayout(Across({&c.txtGalaxy[7], &c.spnGalaxy[7]}), 0, 1);
  AddRow(hue, c.lblPColor,
         {&c.txtPixHue[0], &c.spnPixHue[0], &c.picPixHue[0], &c.txtPixHue[1], &c.spnPixHue[1], &c.picPixHue[1],
          &c.txtPixHue[2], &c.spnPixHue[2], &c.picPixHue[2]});
  AddRow(hue, c.lblBaseSaturation,
         {&c.txtPixHue[3], &c.spnPixHue[3], &c.picPixHue[3], &c.txtPixHue[4], &c.spnPixHue[4]});
  page->addWidget(c.fraGalaxyColor);

  // The panels in one place, their selector on their top border right of "Extras:".
  GalaxyPanels(c);
  const auto* rider = new BorderRiders({&c.fraGalProp[0], &c.fraGalProp[1], &c.fraGalProp[2]}, {c.cboGalaxExtras}, true);
  page->addSpacing(rider->Above());
  page->addLayout(StackOf({&c.fraGalProp[0], &c.fraGalProp[1], &c.fraGalProp[2]}));
  page->addStretch(1);

  // Galaxy styles show and hide fields; every field keeps its place, so the page never
  // changes size.
  for (QWidget* w : c.fraAni[0].findChildren<QWidget*>()) KeepPlaceWhenHidden(w);
  return page;
}

}  // namespace

int TextBoxWidthForDigits(const QLineEdit& box, int digits) {
  // The box's own size hint is made for 17 "x"; the frame and margins around the text stay.
  const QFontMetrics fm = box.fontMetrics();
  const int frame = box.sizeHint().width() - fm.horizontalAdvance(QLatin1Char('x')) * 17;
  return frame + fm.horizontalAdvance(QString(digits, QLatin1Char('0'))) + 2;
}

void LayOutPropsControls(PropsControls& c) {
  SizeFields(c);
  DrawPercentsInOneColumn(*c.lstUniGalaxy);
  DrawPercentsInOneColumn(*c.lstCompGalaxy);
  auto* client = new QVBoxLayout(c.form.Client());
  client->setContentsMargins(0, 0, 0, 0);
  client->setSpacing(0);
  // The two-line rule under the menu bar.
  c.linDark->SetCoords(0, 0, 20000, 0);
  c.linLight->SetCoords(0, 15, 20000, 15);
  c.linDark->SetBorderColor(c.form.palette().color(QPalette::Dark).rgb());
  c.linLight->SetBorderColor(c.form.palette().color(QPalette::Light).rgb());
  for (controls::Line* line : {c.linDark, c.linLight}) {
    line->setFixedHeight(1);
    client->addWidget(line);
  }

  auto* columns = new QHBoxLayout;
  columns->setContentsMargins(4, 4, 4, 4);
  columns->setSpacing(10);
  columns->addLayout(LeftColumn(c), 1);
  auto* right = new QVBoxLayout;
  right->addWidget(c.fraUniverseProps);
  auto* counts = GridOf(c.fraUniverseProps);
  AddRow(counts, &c.lblUni[0], {&c.txtUni[0], &c.spnUni[0]});
  AddRow(counts, &c.lblUni[1], {&c.txtUni[1], &c.spnUni[1]});
  counts->addWidget(c.cmdSetThemes, 0, 2, 2, 1, Qt::AlignVCenter);
  UniversePage(c);
  GalaxyPage(c);
  // Both pages count for the column's width, the hidden one too.
  KeepPlaceWhenHidden(&c.fraAni[0]);
  KeepPlaceWhenHidden(&c.fraAni[1]);
  auto* pages = new QStackedLayout;
  pages->setStackingMode(QStackedLayout::StackAll);
  pages->addWidget(&c.fraAni[1]);
  pages->addWidget(&c.fraAni[0]);
  right->addLayout(pages, 1);
  columns->addLayout(right, 0);
  client->addLayout(columns, 1);
}

}  // namespace dialogs
