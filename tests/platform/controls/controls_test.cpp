// The control semantics the dialogs rely on, on real Qt widgets (offscreen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/qt_test_app.h"
#include "platform/controls/controls.h"

namespace controls {
namespace {

// A window with a few controls of every kind; counts its lifecycle events.
class TestForm : public Form {
 public:
  TestForm() : Form(nullptr, "frmTest") {
    resize(400, 300);
    txtA = new TextBox(this, "txtA");
    txtA->setGeometry(10, 10, 100, 24);
    txtB = new TextBox(this, "txtB");
    txtB->setGeometry(10, 40, 100, 24);
    fra = new Frame(this, "fraGroup");
    fra->setGeometry(120, 10, 200, 120);
    txtInFrame = new TextBox(fra, "txtInFrame");
    txtInFrame->setGeometry(10, 20, 80, 24);
    cmdOk = new CommandButton(this, "cmdOk");
    cmdOk->setGeometry(10, 200, 80, 30);
    cmdCancel = new CommandButton(this, "cmdCancel");
    cmdCancel->setGeometry(100, 200, 80, 30);
    cmdOther = new CommandButton(this, "cmdOther");
    cmdOther->setGeometry(190, 200, 80, 30);
    cmdOk->SetDefault(true);
    cmdCancel->SetCancel(true);
    for (auto* b : {cmdOk, cmdCancel, cmdOther})
      b->Click = [this, b] { clicks.push_back(b->Name()); };
  }

  TextBox* txtA;
  TextBox* txtB;
  Frame* fra;
  TextBox* txtInFrame;
  CommandButton* cmdOk;
  CommandButton* cmdCancel;
  CommandButton* cmdOther;
  std::vector<std::string> clicks;
  int loads = 0, unloads = 0, queryMode = -1, refuseQuery = 0;

 protected:
  void Form_Load() override { ++loads; }
  void Form_QueryUnload(int& Cancel, int UnloadMode) override {
    queryMode = UnloadMode;
    Cancel = refuseQuery;
  }
  void Form_Unload(int&) override { ++unloads; }
};

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    ResetState();
    state().beep = [this] { ++beeps; };
    form = std::make_unique<TestForm>();
  }
  void TearDown() override {
    form.reset();
    ResetState();
  }
  // Shows the window and gives it the keyboard.
  void ShowActive() {
    form->Show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  int beeps = 0;
  std::unique_ptr<TestForm> form;
};

// ---- a change made by code raises the handler once; the same value raises nothing

struct CodeChangeCase {
  const char* what;
  // Creates the control in `f`, counts its change event in `events`, and returns the setter
  // of one new value.
  std::function<std::function<void()>(Form& f, int& events)> make;
};

TEST_F(ControlsTest, CodeChangeRaisesOnceAndTheSameValueNothing) {
  const std::vector<CodeChangeCase> cases = {
      {"text box", [](Form& f, int& n) -> std::function<void()> {
         auto* c = new TextBox(&f, "txt");
         c->Change = [&n] { ++n; };
         return [c] { c->SetText("42"); };
       }},
      {"multi-line text box", [](Form& f, int& n) -> std::function<void()> {
         auto* c = new MultiLineTextBox(&f, "txtNotes");
         c->Change = [&n] { ++n; };
         return [c] { c->SetText("a\nb"); };
       }},
      {"check box", [](Form& f, int& n) -> std::function<void()> {
         auto* c = new CheckBox(&f, "chk");
         c->Click = [&n] { ++n; };
         return [c] { c->SetValue(1); };
       }},
      {"check box greyed", [](Form& f, int& n) -> std::function<void()> {
         auto* c = new CheckBox(&f, "chk");
         c->Click = [&n] { ++n; };
         return [c] { c->SetValue(2); };
       }},
      {"option button", [](Form& f, int& n) -> std::function<void()> {
         auto* c = new OptionButton(&f, "opt");
         c->Click = [&n] { ++n; };
         return [c] { c->SetValue(true); };
       }},
      {"combo selection", [](Form& f, int& n) -> std::function<void()> {
         auto* c = new ComboBox(&f, "cbo");
         c->AddItem("one");
         c->AddItem("two");
         c->Click = [&n] { ++n; };
         return [c] { c->SetListIndex(1); };
       }},
      {"combo text of a list", [](Form& f, int& n) -> std::function<void()> {
         auto* c = new ComboBox(&f, "cbo");
         c->AddItem("one");
         c->AddItem("two");
         c->Click = [&n] { ++n; };
         return [c] { c->SetText("two"); };
       }},
      {"editable combo text", [](Form& f, int& n) -> std::function<void()> {
         auto* c = new ComboBox(&f, "cbo", -1, ComboBox::Style::Editable);
         c->AddItem("one");
         c->Change = [&n] { ++n; };
         return [c] { c->SetText("1 2 3"); };
       }},
      {"list selection", [](Form& f, int& n) -> std::function<void()> {
         auto* c = new ListBox(&f, "lst");
         c->AddItem("one");
         c->AddItem("two");
         c->Click = [&n] { ++n; };
         return [c] { c->SetListIndex(1); };
       }},
      {"list check", [](Form& f, int& n) -> std::function<void()> {
         auto* c = new ListBox(&f, "lst", -1, ListBox::Style::CheckBoxes);
         c->AddItem("one");
         c->ItemCheck = [&n](int32_t i) { n += i == 0 ? 1 : 100; };
         return [c] { c->SetSelected(0, true); };
       }},
      {"spinner", [](Form& f, int& n) -> std::function<void()> {
         auto* c = new Spinner(&f, "spn");
         c->Change = [&n] { ++n; };
         return [c] { c->SetValue(7); };
       }},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.what);
    Form f;
    int events = 0;
    const auto set = tc.make(f, events);
    EXPECT_EQ(events, 0) << "creating and filling raises nothing";
    set();
    EXPECT_EQ(events, 1);
    set();
    EXPECT_EQ(events, 1) << "the value it already has";
  }
}

// ---- lists

TEST_F(ControlsTest, FillingAListSelectsNothingAndIndexesOutsideAreRefused) {
  Form f;
  auto* lst = new ListBox(&f, "lst");
  auto* cbo = new ComboBox(&f, "cbo");
  auto* cboEdit = new ComboBox(&f, "cboEdit", -1, ComboBox::Style::Editable);
  std::vector<ListControl*> lists = {lst, cbo, cboEdit};
  for (ListControl* l : lists) {
    for (const char* s : {"a", "b", "c"}) l->AddItem(s);
    EXPECT_EQ(l->ListIndex(), -1);
    EXPECT_EQ(l->ListCount(), 3);
    EXPECT_TRUE(l->SetListIndex(1));
    for (int32_t bad : {-2, 3, 100}) {
      EXPECT_FALSE(l->SetListIndex(bad));
      EXPECT_EQ(l->ListIndex(), 1) << "the selection stays";
    }
    EXPECT_EQ(l->List(7), "");
    EXPECT_FALSE(l->SetList(3, "x"));
    EXPECT_FALSE(l->RemoveItem(-1));
    EXPECT_FALSE(l->AddItem("x", 5));
    EXPECT_TRUE(l->AddItem("first", 0));
    EXPECT_EQ(l->NewIndex(), 0);
    EXPECT_EQ(l->ListIndex(), 2) << "the selected line moved down with the insertion";
    EXPECT_TRUE(l->SetItemData(2, 77));
    EXPECT_EQ(l->ItemData(2), 77);
    EXPECT_EQ(l->ItemData(9), 0);
    EXPECT_TRUE(l->RemoveItem(2));
    EXPECT_EQ(l->ListIndex(), -1) << "removing the selected line leaves none selected";
    EXPECT_TRUE(l->SetListIndex(-1));
    l->Clear();
    EXPECT_EQ(l->ListCount(), 0);
    EXPECT_EQ(l->ListIndex(), -1);
  }
}

// ---- check boxes, option buttons, spinners

TEST_F(ControlsTest, CheckBoxGreyedByCodeOnlyAndClicksGiveZeroOrOne) {
  auto* chk = new CheckBox(form.get(), "chk");
  chk->setGeometry(10, 100, 100, 20);
  ShowActive();
  EXPECT_TRUE(chk->SetValue(2));
  EXPECT_EQ(chk->Value(), 2);
  EXPECT_FALSE(chk->SetValue(3));
  EXPECT_EQ(chk->Value(), 2);
  chk->click();
  EXPECT_EQ(chk->Value(), 1);
  chk->click();
  EXPECT_EQ(chk->Value(), 0);
  chk->click();
  EXPECT_EQ(chk->Value(), 1) << "a click never greys";
}

TEST_F(ControlsTest, OptionButtonsOfOneContainerAreExclusive) {
  auto* a = new OptionButton(form->fra, "optA");
  auto* b = new OptionButton(form->fra, "optB");
  auto* outside = new OptionButton(form.get(), "optOutside");
  int clicksA = 0, clicksB = 0;
  a->Click = [&] { ++clicksA; };
  b->Click = [&] { ++clicksB; };
  outside->SetValue(true);
  a->SetValue(true);
  b->SetValue(true);
  EXPECT_FALSE(a->Value());
  EXPECT_TRUE(b->Value());
  EXPECT_TRUE(outside->Value()) << "another container";
  EXPECT_EQ(clicksA, 1);
  EXPECT_EQ(clicksB, 1);
  b->SetValue(false);
  EXPECT_FALSE(b->Value());
}

TEST_F(ControlsTest, SpinnerRefusesValuesOutsideItsRangeAndItsUpKeyRaises) {
  auto* spn = new Spinner(form.get(), "spn");
  spn->setGeometry(300, 150, 17, 40);
  EXPECT_EQ(spn->Min(), 0);
  EXPECT_EQ(spn->Max(), 32767);
  EXPECT_TRUE(spn->SetRange(-999, 999));
  EXPECT_TRUE(spn->SetValue(-999));
  EXPECT_FALSE(spn->SetValue(1000));
  EXPECT_FALSE(spn->SetValue(-1000));
  EXPECT_EQ(spn->Value(), -999);
  EXPECT_FALSE(spn->SetMax(40000));
  EXPECT_TRUE(spn->SetValue(10));
  spn->SetSmallChange(5);
  int changes = 0;
  spn->Change = [&] { ++changes; };
  ShowActive();
  spn->setFocus();
  QTest::keyClick(spn, Qt::Key_Up);
  EXPECT_EQ(spn->Value(), 15);
  QTest::keyClick(spn, Qt::Key_Down);
  EXPECT_EQ(spn->Value(), 10);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(spn->SetRange(0, 5));
  EXPECT_EQ(spn->Value(), 5) << "a narrower range moves the value into it";
  EXPECT_EQ(changes, 3);
}

// ---- keys

TEST_F(ControlsTest, KeyPressSwallowsWithABeepAndShortcutsKeepWorking) {
  ShowActive();
  std::vector<int> seen;
  form->txtA->KeyPress = [&](int& key) {
    seen.push_back(key);
    NumericKeyPress(key);
  };
  form->txtA->setFocus();
  QTest::keyClicks(form->txtA, "1a2");
  EXPECT_EQ(form->txtA->Text(), "12");
  EXPECT_EQ(beeps, 1);
  QTest::keyClick(form->txtA, Qt::Key_Backspace);
  EXPECT_EQ(form->txtA->Text(), "1");
  EXPECT_EQ(seen, (std::vector<int>{'1', 'a', '2', 8}));
  QTest::keyClick(form->txtA, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(form->txtA->SelLength(), 1) << "Ctrl+A selects all without a KeyPress";
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_EQ(beeps, 1);
}

TEST_F(ControlsTest, KeyDownGetsTheKeyCodesWithTheShiftState) {
  ShowActive();
  std::vector<std::pair<int, int>> seen;
  form->txtA->KeyDown = [&](int& code, int shift) { seen.emplace_back(code, shift); };
  form->txtA->setFocus();
  QTest::keyClick(form->txtA, Qt::Key_Up);
  QTest::keyClick(form->txtA, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(form->txtA, Qt::Key_F1);
  EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{38, 0}, {16, kShiftMask}, {40, kShiftMask}, {112, 0}}));
}

TEST_F(ControlsTest, MaxLengthStopsTypingButNotCode) {
  ShowActive();
  form->txtA->SetMaxLength(3);
  form->txtA->setFocus();
  QTest::keyClicks(form->txtA, "12345");
  EXPECT_EQ(form->txtA->Text(), "123");
  form->txtA->SetText("1234567");
  EXPECT_EQ(form->txtA->Text(), "1234567");
  form->txtA->end(false);
  QTest::keyClick(form->txtA, Qt::Key_Backspace);
  EXPECT_EQ(form->txtA->Text(), "123456") << "shortening a long text is allowed";
  QTest::keyClicks(form->txtA, "9");
  EXPECT_EQ(form->txtA->Text(), "123456");
}

// ---- focus

TEST_F(ControlsTest, LostFocusOnTabAndOnAClickBeforeTheButtonsClick) {
  ShowActive();
  std::vector<std::string> events;
  form->txtA->LostFocus = [&] { events.push_back("txtA lost"); };
  form->txtB->GotFocus = [&] { events.push_back("txtB got"); };
  form->txtB->LostFocus = [&] { events.push_back("txtB lost"); };
  form->cmdOther->Click = [&] { events.push_back("cmdOther click"); };
  form->txtA->setFocus();
  QTest::keyClick(form->txtA, Qt::Key_Tab);
  ASSERT_TRUE(form->txtB->hasFocus());
  QTest::mouseClick(form->cmdOther, Qt::LeftButton);
  EXPECT_EQ(events, (std::vector<std::string>{"txtA lost", "txtB got", "txtB lost", "cmdOther click"}));
}

TEST_F(ControlsTest, NoLostFocusWhenTheWindowIsDeactivatedOrAPopupOpens) {
  auto* cbo = new ComboBox(form.get(), "cbo");
  cbo->setGeometry(10, 100, 100, 24);
  cbo->AddItem("one");
  ShowActive();
  int lost = 0, got = 0;
  cbo->LostFocus = [&] { ++lost; };
  cbo->GotFocus = [&] { ++got; };
  cbo->setFocus();
  EXPECT_EQ(got, 1);
  // Another window takes the activation, then gives it back.
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  // A menu pops up and closes.
  QMenu menu;
  menu.addAction("item");
  menu.popup(QPoint(0, 0));
  QApplication::processEvents();
  menu.close();
  QApplication::processEvents();

  // The combo's own list drops down and closes.
  cbo->showPopup();
  QApplication::processEvents();
  cbo->hidePopup();
  QApplication::processEvents();

  EXPECT_EQ(lost, 0);
  EXPECT_EQ(got, 1);
}

TEST_F(ControlsTest, EveryFocusableKindLosesTheFocusOnTabOnce) {
  struct Case {
    const char* what;
    std::function<Control*(Form&)> make;
  };
  const std::vector<Case> cases = {
      {"text box", [](Form& f) -> Control* { return new TextBox(&f, "c"); }},
      {"multi-line text box", [](Form& f) -> Control* { return new MultiLineTextBox(&f, "c"); }},
      {"drop-down list", [](Form& f) -> Control* { return new ComboBox(&f, "c"); }},
      {"editable combo", [](Form& f) -> Control* { return new ComboBox(&f, "c", -1, ComboBox::Style::Editable); }},
      {"list box", [](Form& f) -> Control* { return new ListBox(&f, "c"); }},
      {"check box", [](Form& f) -> Control* { return new CheckBox(&f, "c"); }},
      {"button", [](Form& f) -> Control* { return new CommandButton(&f, "c"); }},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.what);
    Form f;
    f.resize(300, 300);
    Control* c = tc.make(f);
    c->Widget()->setGeometry(10, 10, 150, 60);
    auto* next = new TextBox(&f, "txtNext");
    next->move(10, 200);
    int got = 0, lost = 0;
    c->GotFocus = [&] { ++got; };
    c->LostFocus = [&] { ++lost; };
    f.Show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    c->SetFocus();
    EXPECT_EQ(got, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(got, 1);
  }
}

TEST_F(ControlsTest, KeyPressCanTypeAnotherCharacter) {
  ShowActive();
  form->txtA->KeyPress = [](int& key) {
    if (key >= 'a' && key <= 'z') key -= 32;
  };
  form->txtA->setFocus();
  QTest::keyClicks(form->txtA, "ab1");
  EXPECT_EQ(form->txtA->Text(), "AB1");
}

TEST_F(ControlsTest, UserActionsRaiseTheSameEventsAsCode) {
  auto* cbo = new ComboBox(form.get(), "cboTour", -1, ComboBox::Style::Editable);
  cbo->setGeometry(10, 100, 100, 24);
  cbo->AddItem("1 2 3");
  auto* lst = new ListBox(form.get(), "lstCompMinor", -1, ListBox::Style::CheckBoxes);
  lst->setGeometry(10, 130, 150, 80);
  lst->AddItem("one");
  lst->AddItem("two");
  int changes = 0, comboClicks = 0, listClicks = 0;
  std::vector<int32_t> checks;
  cbo->Change = [&] { ++changes; };
  cbo->Click = [&] { ++comboClicks; };
  lst->Click = [&] { ++listClicks; };
  lst->ItemCheck = [&](int32_t i) { checks.push_back(i); };
  ShowActive();
  cbo->setFocus();
  QTest::keyClicks(QApplication::focusWidget(), "45");
  EXPECT_EQ(cbo->Text(), "45");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(comboClicks, 0);
  EXPECT_TRUE(cbo->SetListIndex(0));
  EXPECT_EQ(comboClicks, 1);
  EXPECT_EQ(changes, 2) << "choosing a line is a Click, not a Change";
  const QRect line1 = lst->visualItemRect(lst->item(1));
  QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, line1.center());
  EXPECT_EQ(lst->ListIndex(), 1);
  EXPECT_EQ(listClicks, 1);
  lst->item(0)->setCheckState(Qt::Checked);  // what a click on the check box does
  EXPECT_TRUE(lst->Selected(0));
  EXPECT_EQ(checks, (std::vector<int32_t>{0}));
}

// ---- Enter, Esc, default and cancel roles

TEST_F(ControlsTest, EnterAndEscClickTheButtonsThatHoldTheRolesNow) {
  ShowActive();
  form->txtA->setFocus();
  QTest::keyClick(form->txtA, Qt::Key_Return);
  QTest::keyClick(form->txtA, Qt::Key_Escape);
  form->cmdOther->SetDefault(true);
  form->cmdOther->SetCancel(true);
  EXPECT_FALSE(form->cmdOk->IsDefault());
  EXPECT_FALSE(form->cmdCancel->IsCancel());
  QTest::keyClick(form->txtA, Qt::Key_Enter);
  QTest::keyClick(form->txtA, Qt::Key_Escape);
  form->cmdCancel->setFocus();
  QTest::keyClick(form->cmdCancel, Qt::Key_Return);
  EXPECT_EQ(form->clicks,
            (std::vector<std::string>{"cmdOk", "cmdCancel", "cmdOther", "cmdOther", "cmdCancel"}));
  EXPECT_TRUE(form->isVisible()) << "Esc without a handler that unloads keeps the window";
}

// ---- own flags

TEST_F(ControlsTest, EnabledAndVisibleReadTheControlsOwnFlag) {
  ShowActive();
  form->fra->SetEnabled(false);
  form->fra->SetVisible(false);
  EXPECT_TRUE(form->txtInFrame->Enabled());
  EXPECT_TRUE(form->txtInFrame->Visible());
  EXPECT_FALSE(form->txtInFrame->isEnabled()) << "yet it cannot be used";
  form->txtInFrame->SetEnabled(false);
  form->fra->SetEnabled(true);
  EXPECT_FALSE(form->txtInFrame->Enabled());
  EXPECT_FALSE(form->fra->Enabled() == false);
  form->fra->SetVisible(true);
  form->txtInFrame->SetVisible(false);
  EXPECT_FALSE(form->txtInFrame->Visible());
}

}  // namespace
}  // namespace controls
