// Windows: load and unload, deferred release, control enumeration, control arrays, menus,
// tab order, help context numbers; and the persistent picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "host/qt_test_app.h"
#include "platform/controls/controls.h"

namespace controls {
namespace {

class LifeForm : public Form {
 public:
  LifeForm() : Form(nullptr, "frmLife") {
    cmdClose = new CommandButton(this, "cmdClose");
    cmdClose->Click = [this] { Unload(); };
  }
  CommandButton* cmdClose;
  std::vector<std::string> events;
  int refuse = 0;

 protected:
  void Form_Load() override { events.push_back("load"); }
  void Form_QueryUnload(int& Cancel, int UnloadMode) override {
    events.push_back("query " + std::to_string(UnloadMode));
    Cancel = refuse;
  }
  void Form_Unload(int&) override { events.push_back("unload"); }
};

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    ResetState();
  }
  void TearDown() override { ResetState(); }
};

TEST_F(FormTest, QueryUnloadTellsTheCloseBoxFromCodeAndCanKeepTheWindow) {
  LifeForm f;
  f.Show();
  EXPECT_TRUE(f.IsLoaded());
  f.refuse = 1;
  EXPECT_FALSE(f.close());
  EXPECT_FALSE(f.Unload());
  EXPECT_TRUE(f.isVisible());
  f.refuse = 0;
  EXPECT_TRUE(f.close());
  EXPECT_FALSE(f.isVisible());
  EXPECT_FALSE(f.IsLoaded());
  f.Show();
  EXPECT_TRUE(f.Unload());
  EXPECT_EQ(f.events, (std::vector<std::string>{"load", "query 0", "query 1", "query 0", "unload", "load",
                                                "query 1", "unload"}));
}

TEST_F(FormTest, ShowModalReturnsWhenAHandlerUnloadsTheWindow) {
  LifeForm f;
  QTimer::singleShot(0, f.cmdClose, [&f] { f.cmdClose->PerformClick(); });
  f.ShowModal();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(f.events, (std::vector<std::string>{"load", "query 1", "unload"}));
}

TEST_F(FormTest, ReleaseWaitsUntilEveryHandlerOfTheWindowHasReturned) {
  QPointer<LifeForm> f = new LifeForm;
  f->SetReleaseOnUnload(true);
  bool aliveAfterEvents = false;
  f->cmdClose->Click = [&] {
    f->Unload();
    // A loop inside the handler (a preview) lets events run: the window must survive them.
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QApplication::processEvents();
    }
    aliveAfterEvents = !f.isNull();
  };
  f->Show();
  f->cmdClose->PerformClick();
  EXPECT_TRUE(aliveAfterEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(f.isNull()) << "released once the handler returned";
}

TEST_F(FormTest, ControlsAreListedInCreationOrderAndFoundByNameAndIndex) {
  Form f(nullptr, "frmList");
  auto* fra = new Frame(&f, "fraA");
  ControlArray<TextBox> txtUni{"txtUni"};
  txtUni.Create(fra, 12);
  txtUni.Create(&f, 0);
  auto* cmd = new CommandButton(&f, "cmdGo");
  Menu& mnu = f.AddMenu("mnuHelp", "&Help");
  mnu.AddItem("mnuHelpArray", 0, "&Contents...");
  std::vector<std::string> names;
  for (Control* c : f.Controls()) names.push_back(c->Name() + "(" + std::to_string(c->Index()) + ")");
  EXPECT_EQ(names, (std::vector<std::string>{"fraA(-1)", "txtUni(12)", "txtUni(0)", "cmdGo(-1)", "mnuHelp(-1)",
                                             "mnuHelpArray(0)"}));
  EXPECT_EQ(f.FindControl("txtUni", 12), &txtUni[12]);
  EXPECT_EQ(f.FindControl("cmdGo"), cmd);
  EXPECT_EQ(f.FindControl("cmdGo", 0), nullptr);
  EXPECT_EQ(txtUni[12].Container(), fra);
  EXPECT_EQ(txtUni[0].Container(), nullptr);
  delete cmd;
  EXPECT_EQ(f.FindControl("cmdGo"), nullptr) << "a deleted control leaves the list";
}

TEST_F(FormTest, ControlArraysIndexSparselyAndAMissingElementIsAStandIn) {
  Form f;
  ControlArray<TextBox> txtGalaxy{"txtGalaxy"};
  for (int i : {90, 0, 47}) txtGalaxy.Create(&f, i).SetText(std::to_string(i));
  EXPECT_EQ(txtGalaxy.Indices(), (std::vector<int>{0, 47, 90}));
  EXPECT_EQ(txtGalaxy.LBound(), 0);
  EXPECT_EQ(txtGalaxy.UBound(), 90);
  EXPECT_EQ(txtGalaxy[47].Text(), "47");
  EXPECT_EQ(txtGalaxy[47].Index(), 47);
  EXPECT_EQ(txtGalaxy.Find(5), nullptr);
  txtGalaxy[5].SetText("nowhere");  // no effect on the window
  EXPECT_EQ(f.FindControl("txtGalaxy", 5), nullptr);
  EXPECT_EQ(txtGalaxy.Count(), 3);
  int sum = 0;
  for (const auto& [index, box] : txtGalaxy) sum += index + static_cast<int>(box->Text().size());
  EXPECT_EQ(sum, 137 + 1 + 2 + 2);
}

TEST_F(FormTest, MenuItemArraysKeepCaptionsSeparatorsAndFlags) {
  Form f;
  Menu& mnuFile = f.AddMenu("mnuFile", "&File");
  ControlArray<MenuItem> mnuFileArray{"mnuFileArray"};
  const char* captions[] = {"&Open Template...", "-", "&Save Template", "Save Template &As...", "-", "E&xit"};
  for (int i = 0; i < 6; ++i) mnuFileArray.Add(i, mnuFile.AddItem("mnuFileArray", i, captions[i]));
  std::vector<int> clicked;
  for (const auto& [i, item] : mnuFileArray) item->Click = [&clicked, i = i] { clicked.push_back(i); };
  EXPECT_EQ(mnuFile.Caption(), "&File");
  EXPECT_EQ(mnuFileArray[3].Caption(), "Save Template &As...");
  EXPECT_EQ(mnuFileArray[4].Caption(), "-");
  EXPECT_TRUE(mnuFileArray[4].isSeparator());
  EXPECT_TRUE(mnuFileArray[4].text().isEmpty());
  EXPECT_EQ(mnuFile.actions().size(), 6);
  mnuFileArray[2].SetEnabled(false);
  mnuFileArray[5].SetVisible(false);
  mnuFileArray[0].SetChecked(true);
  EXPECT_FALSE(mnuFileArray[2].Enabled());
  EXPECT_FALSE(mnuFileArray[5].Visible());
  EXPECT_TRUE(mnuFileArray[0].Checked());
  mnuFileArray[3].trigger();
  mnuFileArray[5].PerformClick();
  EXPECT_EQ(clicked, (std::vector<int>{3, 5}));
  mnuFile.SetEnabled(false);
  EXPECT_FALSE(mnuFile.Enabled());
  EXPECT_FALSE(mnuFile.menuAction()->isEnabled());
  EXPECT_EQ(f.MenuBar()->actions().size(), 1);
  EXPECT_EQ(mnuFileArray[9].Caption(), "") << "a missing item is a stand-in";
}

TEST_F(FormTest, TabIndexOrdersTheFocusChain) {
  Form f;
  f.resize(300, 200);
  auto* a = new TextBox(&f, "txtA");
  auto* b = new TextBox(&f, "txtB");
  auto* c = new TextBox(&f, "txtC");
  b->move(0, 30);
  c->move(0, 60);
  EXPECT_EQ(a->TabIndex(), 0);
  EXPECT_EQ(c->TabIndex(), 2);
  c->SetTabIndex(0);
  EXPECT_EQ(c->TabIndex(), 0);
  EXPECT_EQ(a->TabIndex(), 1);
  EXPECT_EQ(b->TabIndex(), 2);
  f.Show();
  QApplication::setActiveWindow(&f);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  c->setFocus();
  QTest::keyClick(c, Qt::Key_Tab);
  EXPECT_TRUE(a->hasFocus());
  QTest::keyClick(a, Qt::Key_Tab);
  EXPECT_TRUE(b->hasFocus());
}

TEST_F(FormTest, HelpContextComesFromTheControlElseItsContainerElseTheWindow) {
  Form f;
  f.SetHelpContextID(100);
  auto* fra = new Frame(&f, "fraGalaxy");
  auto* inFrame = new TextBox(fra, "txtIn");
  auto* own = new TextBox(fra, "txtOwn");
  auto* onWindow = new TextBox(&f, "txtTop");
  own->SetHelpContextID(7);
  EXPECT_EQ(HelpContextOf(own), 7);
  EXPECT_EQ(HelpContextOf(inFrame), 100);
  fra->SetHelpContextID(20);
  EXPECT_EQ(HelpContextOf(inFrame), 20);
  EXPECT_EQ(HelpContextOf(onWindow), 100);
  EXPECT_EQ(HelpContextOf(nullptr), 0);

  std::vector<int> shown;
  state().showHelp = [&](int id) { shown.push_back(id); };
  f.resize(300, 200);
  f.Show();
  QApplication::setActiveWindow(&f);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  inFrame->setFocus();
  QTest::keyClick(inFrame, Qt::Key_F1);
  own->setFocus();
  QTest::keyClick(own, Qt::Key_F1);
  EXPECT_EQ(shown, (std::vector<int>{20, 7}));
}

TEST_F(FormTest, EnterClicksNothingWhenTheDefaultButtonIsDisabledAndEscClosesAPopupFirst) {
  Form f;
  f.resize(300, 200);
  auto* cbo = new ComboBox(&f, "cbo");
  cbo->AddItem("one");
  auto* ok = new CommandButton(&f, "cmdOk");
  auto* cancel = new CommandButton(&f, "cmdCancel");
  ok->move(0, 100);
  cancel->move(100, 100);
  int oks = 0, cancels = 0;
  ok->Click = [&] { ++oks; };
  cancel->Click = [&] { ++cancels; };
  ok->SetDefault(true);
  cancel->SetCancel(true);
  f.Show();
  QApplication::setActiveWindow(&f);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  cbo->setFocus();
  ok->SetEnabled(false);
  QTest::keyClick(cbo, Qt::Key_Return);
  EXPECT_EQ(oks, 0);
  ok->SetEnabled(true);
  QTest::keyClick(cbo, Qt::Key_Return);
  EXPECT_EQ(oks, 1);
  cbo->showPopup();
  QApplication::processEvents();
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(cancels, 0) << "Esc only closed the popup";
  QTest::keyClick(cbo, Qt::Key_Escape);
  EXPECT_EQ(cancels, 1);
}

TEST_F(FormTest, PictureBoxKeepsItsDrawingThroughExposesAndResizes) {
  Form f;
  auto* pic = new PictureBox(&f, "picPreview");
  pic->resize(20, 10);
  pic->SetBackColor(0x000080);
  pic->Cls();
  pic->PSet(3, 4, 0xFF0000);
  pic->PSet(-1, 4, 0x00FF00);   // clipped
  pic->PSet(20, 0, 0x00FF00);   // clipped
  pic->FillBox(15, 8, 40, 40, 0x00FF00);  // clipped to the picture
  pic->DrawLine(0, 0, 5, 0, 0xFFFFFF);
  EXPECT_EQ(pic->Point(3, 4), 0xFF0000u);
  EXPECT_EQ(pic->Point(19, 9), 0x00FF00u);
  EXPECT_EQ(pic->Point(14, 9), 0x000080u);
  EXPECT_EQ(pic->Point(5, 0), 0xFFFFFFu) << "both ends of a line are drawn";
  EXPECT_EQ(pic->Point(99, 0), 0u);
  f.Show();
  pic->Refresh();
  pic->resize(30, 12);
  QApplication::processEvents();
  EXPECT_EQ(pic->Point(3, 4), 0xFF0000u) << "what was drawn stays";
  EXPECT_EQ(pic->Point(25, 11), 0x000080u) << "new area in the back colour";
  const QImage shown = pic->grab().toImage();
  EXPECT_EQ(shown.pixel(3, 4) & 0xFFFFFFu, 0xFF0000u);
  pic->Cls();
  EXPECT_EQ(pic->Point(3, 4), 0x000080u);
}

}  // namespace
}  // namespace controls
