// The credits window: what it prints, its clamps, the star field it starts, the scrolling and
// wrapping text, the trail level clicks and its layout, driven by a fake pacer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/info/frm_about.h"
#include "dialogs/info/frm_credits.h"
#include "dialogs/info/product_info.h"
#include "engine/engine_fixture.h"
#include "engine/hue_cone.h"
#include "host/qt_test_app.h"
#include "model/colors.h"
#include "model/random_table.h"
#include "platform/pixlib/pixlib.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "runtime/numbers.h"
#include "support/test_support.h"

namespace dialogs {
void PrintTo(const CreditPrint& p, std::ostream* os) { *os << "{\"" << p.text << "\", " << p.size << "}"; }
}  // namespace dialogs

namespace {

using dialogs::CreditPrint;

using Pacer = enginetest::FakeHost;


TEST(CreditsText, HeadingsAndBodyLinesAreTrimmedAndCut) {
  const std::string long50 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwx";
  const std::string e45 = [] {
    std::string s;
    for (int i = 0; i < 45; ++i) s += "\xc3\xa9";
    return s;
  }();
  const struct {
    std::string line;
    std::vector<CreditPrint> printed;
  } cases[] = {
      {"Beta Testing:", {{"", 8}, {"Beta Testing:", 10}}},
      {long50 + ":", {{"", 8}, {long50.substr(0, 32), 10}}},
      {"  Heading  ", {{"     Heading", 8}}},  // begins with a blank: a body line
      {"     " + long50, {{"     " + long50.substr(0, 40), 8}}},
      {"     -   Foley, van Dam   ", {{"     -   Foley, van Dam", 8}}},
      {" ", {{"     ", 8}}},
      {"", {{"", 8}, {"", 10}}},  // no leading blank: printed as an (empty) heading
      {"Notice  ", {{"", 8}, {"Notice", 10}}},
      {"     " + e45, {{"     " + e45.substr(0, 80), 8}}},  // 40 characters, not bytes
  };
  const std::vector<CreditPrint> closing = {
      {"     ", 8}, {"     Product designed and developed", 8}, {"     in the United States of America.", 8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<CreditPrint> got = dialogs::CreditsPrintLines({c.line}, 15);
    ASSERT_EQ(got.size(), 6 + c.printed.size() + 3);
    EXPECT_EQ(std::vector<CreditPrint>(got.begin() + 6, got.end() - 3), c.printed);
    EXPECT_EQ(std::vector<CreditPrint>(got.end() - 3, got.end()), closing);
  }
}

// The 37 lines the about window hands to the credits, with the names of this build.
TEST(CreditsText, TheThirtySevenLines) {
  namespace d = dialogs;
  const std::string five = "     ";
  std::vector<std::string> want = {
      "Software Engineer:",
      five + d::kEngineerName,
      "Algorithms:",
      "     B-Splines, World Rotation ",
      "     and Perspective Transforms: ",
      "     >  Fund. of Comp. Graphics",
      five + "-   " + d::kBookAuthors[0],
      "     Geometry and Clipping: ",
      "     >  A Programmer's Geometry",
      five + "-   " + d::kBookAuthors[1],
      "     Physical Models:",
      "     >  College Physics 4th Ed.",
      five + "-   " + d::kBookAuthors[2],
      "     Chemistry Background:",
      "     >  Chemistry - The Central",
      "        Science  6th Ed.",
      five + "-   " + d::kBookAuthors[3],
      "     Screen Saver Tips:",
      "     >  32-Bit Saver Programming",
      five + "-   " + d::kBookAuthors[4],
      "Beta Testing:",
  };
  for (const char* tester : d::kTesters) want.push_back(five + "-  " + tester);
  want.push_back("Dedication:");
  for (const char* line : d::kDedication) want.push_back(five + line);
  want.insert(want.end(), {"     Cheers.", " ", d::kNotice});
  ASSERT_EQ(want.size(), 37u);
  EXPECT_EQ(d::CreditLines(), want);
  // The names are names: no blank where a form expects the text to begin.
  for (const char* name : d::kTesters) EXPECT_NE(name[0], ' ');
  for (const char* name : d::kBookAuthors) EXPECT_NE(name[0], ' ');
  EXPECT_NE(d::kNotice[0], ' ');
}

TEST(CreditsText, OpeningLinesAndTheTitleSize) {
  const std::vector<CreditPrint> head = {
      {"Zorvane", 18}, {"", 8}, {dialogs::kMakerName1, 14}, {dialogs::kMakerName2, 14}, {"", 8},
      {std::string("Version ") + dialogs::kVersionText, 12}};
  for (int twips : {15, 12, 10}) {
    std::vector<CreditPrint> got = dialogs::CreditsPrintLines(dialogs::CreditLines(), twips);
    std::vector<CreditPrint> want = head;
    if (twips == 12) want[0].size = 20;
    EXPECT_EQ(std::vector<CreditPrint>(got.begin(), got.begin() + 6), want) << twips;
    // 37 lines and 3 closing ones; the four headings and the notice each bring a gap.
    EXPECT_EQ(got.size(), 6u + 40u + 5u);
    EXPECT_EQ(got[got.size() - 5], (CreditPrint{"", 8}));
    EXPECT_EQ(got[got.size() - 4], (CreditPrint{dialogs::kNotice, 10}));  // short enough to stand whole
  }
}

class CreditsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    enginetest::ResetEngineModules(11);
    enginetest::InstallFakeHost(&pacer);
    model::RebuildColorTables(true, false);
  }
  void TearDown() override {
    enginetest::InstallFakeHost(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static void Activate(QWidget* w) {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w, &activate);
  }
  // A loaded window sized as the about window sizes it, its star field bound.
  dialogs::frmCredits* Open(int32_t stars, float speed, float step) {
    auto* w = new dialogs::frmCredits;
    w->FormLet(stars, speed, step, dialogs::CreditLines());
    w->EnsureLoaded();
    w->SizeAndCentre(643, 375);
    presentation::LoadSaverProperties(*w->picField, true, 1.0f, 0);
    return w;
  }
  testsupport::TempConfig config;
  Pacer pacer;
};

TEST_F(CreditsWindow, ValuesAreClampedWhenTheStarFieldStarts) {
  const struct {
    int32_t stars;
    float speed, step;
    int32_t wantStars;
    float wantSpeed, wantStep;
  } cases[] = {
      {5, 1.0f, 20.0f, 10, 0.25f, 10.0f},
      {5000, 0.0001f, 0.1f, 2000, 0.0025f, 0.5f},
      {1200, 0.005f, 1.0f, 1200, 0.005f, 1.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stars);
    auto* w = Open(c.stars, c.speed, c.step);
    pacer.paces = 0;
    pacer.stopAt = 1;
    Activate(w);
    EXPECT_EQ(w->StarCount, c.wantStars);
    EXPECT_FLOAT_EQ(w->StarSpeed, c.wantSpeed);
    EXPECT_FLOAT_EQ(w->ScrollStep, c.wantStep);
    EXPECT_EQ(w->StarRecords.size(), 8u * static_cast<size_t>(c.wantStars) + 1u);
    EXPECT_EQ(w->StarColors, std::vector<int32_t>(static_cast<size_t>(c.wantStars), 43254));
    w->Release();
  }
}

TEST_F(CreditsWindow, StarFieldStartsFromTheRandomStreamAndTheHueCone) {
  constexpr int kFrames = 20;  // slow stars: none is born again meanwhile
  auto* w = Open(40, 0.0025f, 1.0f);
  // The stars as the window must fill them, then moved by the library frame by frame.
  model::RandomState random = model::randomState();
  std::vector<float> stars(8 * 40 + 1, 0.0f);
  for (size_t i = 0; i < 40; ++i) {
    stars[8 * i] = 2.0f * model::NextRandomSingle() - 1.0f;
    stars[8 * i + 1] = 2.0f * model::NextRandomSingle() - 1.0f;
    stars[8 * i + 2] = 0.9f * model::NextRandomSingle() + 0.1f;
    stars[8 * i + 4] = 0.005f;
  }
  model::randomState() = random;
  std::vector<int32_t> cone(pixlib::kHueConeEntries, 0);
  pixlib::CalcHueConeBrightness(model::colorState().HueColorTable, cone, 1, 100, 0, 100, 90, 0, 0, 0);
  const presentation::RenderState& r = presentation::render();
  std::vector<uint32_t> lastFrame(r.FrameBuffer.size(), 0);
  const std::vector<int32_t> colours(40, 43254);
  float hue = 43253.76f, angle = 1.5707964f;
  for (int f = 0; f < kFrames; ++f) {
    std::fill(lastFrame.begin(), lastFrame.end(), 0u);
    // The row stride is the render width once the star field has started.
    pixlib::DisplayCreditsStarfield(w->picField->width() / 2, w->picField->height() / 2, r.RenderWidth,
                                    r.RenderWidth, r.PlotMaxY, lastFrame, cone, 40, stars, colours, 0.0025f, hue,
                                    angle);
  }

  std::vector<uint32_t> shown;
  pacer.onPace = [&] {
    const auto& frame = presentation::render().FrameBuffer;
    shown.assign(frame.begin(), frame.end());
  };
  pacer.stopAt = kFrames;
  Activate(w);
  EXPECT_EQ(w->StarRecords, stars);
  EXPECT_EQ(presentation::render().BlendLevel, 96);
  for (size_t i = 0; i < cone.size(); ++i) ASSERT_EQ(engine::hueCone().HueConeTable[i], cone[i]) << i;
  // Every star the library plotted in the last frame is on the frame composed.
  ASSERT_EQ(shown.size(), lastFrame.size());
  int plotted = 0;
  for (size_t i = 0; i < lastFrame.size(); ++i) {
    const uint32_t p = lastFrame[i];
    if ((p & 0xFF) < 8 && ((p >> 8) & 0xFF) < 8 && ((p >> 16) & 0xFF) < 8) continue;
    ++plotted;
    EXPECT_NE(shown[i], 0u) << i;
  }
  EXPECT_GT(plotted, 5);
  w->Release();
}

TEST_F(CreditsWindow, TextScrollsByRealStepsAndComesBackAboveTheFrameBottom) {
  for (float step : {0.5f, 10.0f}) {
    SCOPED_TRACE(step);
    auto* w = Open(10, 0.01f, step);
    const float restart = static_cast<float>(w->picFrame->height() - 10);
    EXPECT_EQ(w->CreditsTop(), restart);
    std::vector<float> tops;
    std::vector<int> ys;
    const int frames = step < 1 ? 8 : 2 * (w->picCredits->height() + w->picFrame->height()) / 10;
    pacer.paces = 0;
    pacer.stopAt = frames;
    pacer.onPace = [&] {
      tops.push_back(w->CreditsTop());
      ys.push_back(w->picCredits->y());
    };
    Activate(w);
    ASSERT_EQ(tops.size(), static_cast<size_t>(frames));
    EXPECT_EQ(tops[0], restart);
    int wraps = 0;
    for (size_t i = 0; i < tops.size(); ++i) {
      EXPECT_EQ(ys[i], runtime::ToLongOr(tops[i], -1)) << i;
      if (i == 0) continue;
      if (tops[i - 1] < -static_cast<float>(w->picCredits->height())) {
        EXPECT_EQ(tops[i], restart) << i;
        ++wraps;
      } else {
        EXPECT_EQ(tops[i], tops[i - 1] - step) << i;
      }
    }
    if (step < 1) {
      EXPECT_EQ(ys[2], ys[0] - 1);  // two half steps move the text one pixel
    } else {
      EXPECT_GE(wraps, 1);
    }
    w->Release();
  }
}

TEST_F(CreditsWindow, MouseButtonsStepTheTrailLevelWithinItsRange) {
  auto* w = Open(10, 0.01f, 1.0f);
  const struct {
    int32_t level;
    int button;
    int32_t want;
  } cases[] = {{50, 1, 49}, {0, 1, 0}, {1, 1, 0}, {50, 2, 51}, {99, 2, 100}, {100, 2, 100}, {50, 4, 50}, {50, 3, 50}};
  for (const auto& c : cases) {
    presentation::render().BlendLevel = c.level;
    w->picField->MouseDown(c.button, 0, 3, 3);
    EXPECT_EQ(presentation::render().BlendLevel, c.want) << c.level << " " << c.button;
  }
  w->Release();
}

TEST_F(CreditsWindow, PrintsEveryLineWithItsShadowAndLaysItselfOut) {
  auto* w = Open(10, 0.01f, 1.0f);
  EXPECT_EQ(w->Caption(), "Zorvane Credits");
  EXPECT_EQ(w->cmdDismiss->Caption(), "OK");
  EXPECT_EQ(w->DefaultButton(), w->cmdDismiss);
  EXPECT_EQ(w->CancelButton(), w->cmdDismiss);

  const std::vector<CreditPrint> lines =
      dialogs::CreditsPrintLines(dialogs::CreditLines(), presentation::render().TwipsPerPixelX);
  const auto& printed = w->PrintedLines();
  ASSERT_EQ(printed.size(), 2 * lines.size());
  float top = 10.0f;
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i);
    const auto& shadow = printed[2 * i];
    const auto& face = printed[2 * i + 1];
    const std::string text = lines[i].text.empty() ? " " : lines[i].text;
    EXPECT_EQ(face.text, text);
    EXPECT_EQ(shadow.text, text);
    QFont f = w->picCredits->font();
    f.setPointSize(lines[i].size);
    const QFontMetrics m(f);
    const bool large = lines[i].size > 9;
    const int centred = (w->picCredits->width() - m.horizontalAdvance(QString::fromStdString(text))) / 2;
    EXPECT_EQ(face.x, large ? 5 : centred);
    EXPECT_EQ(shadow.x, face.x + 1);
    EXPECT_EQ(face.y, static_cast<int>(top));
    EXPECT_EQ(shadow.y, face.y + 1);
    EXPECT_EQ(face.colour, large ? 0x80E0FFu : 0x60FFB0u);
    EXPECT_EQ(shadow.colour, large ? 0x20B0C0u : 0x20C040u);
    top += 1.2f * static_cast<float>(m.height());
  }
  EXPECT_FLOAT_EQ(w->PrintTop, top);
  EXPECT_EQ(w->picCredits->height(), runtime::ToLongOr(top, 0));

  // The frame holds the notice with six blanks, at least 260 wide, centred; the text inside.
  QFont ten = w->picFrame->font();
  ten.setPointSize(10);
  const int noticeWidth = QFontMetrics(ten).horizontalAdvance(QString("      ") + dialogs::kNotice);
  EXPECT_EQ(w->picFrame->width(), std::max(260, noticeWidth));
  EXPECT_EQ(w->picCredits->width(), w->picFrame->width());

  const struct {
    int width, height;
    bool laidOut;
  } sizes[] = {{643, 375, true}, {500, 300, true}, {239, 300, false}, {500, 159, false}, {240, 160, true}};
  for (const auto& s : sizes) {
    SCOPED_TRACE(s.width * 1000 + s.height);
    const QRect field = w->picField->geometry(), frame = w->picFrame->geometry(), ok = w->cmdDismiss->geometry();
    w->SizeAndCentre(s.width, s.height);
    if (!s.laidOut) {
      EXPECT_EQ(w->picField->geometry(), field);
      EXPECT_EQ(w->picFrame->geometry(), frame);
      EXPECT_EQ(w->cmdDismiss->geometry(), ok);
      continue;
    }
    EXPECT_EQ(w->picField->geometry(), QRect(0, 0, s.width, s.height));
    EXPECT_EQ(w->picFrame->geometry(), QRect((s.width - frame.width()) / 2, 45, frame.width(), s.height - 90));
    EXPECT_EQ(w->CreditsTop(), static_cast<float>(s.height - 90 - 10));
    EXPECT_EQ(w->cmdDismiss->x(), (s.width - ok.width()) / 2);
    EXPECT_EQ(w->cmdDismiss->y(), runtime::ToLongOr(s.height - 1.25 * ok.height(), 0));
  }
  w->Release();
}

TEST_F(CreditsWindow, EveryWayOfClosingEndsTheStarField) {
  for (bool closeBox : {false, true}) {
    auto* w = Open(10, 0.01f, 1.0f);
    pacer.paces = 0;
    pacer.onPace = [&] {
      if (pacer.paces != 3) return;
      if (closeBox)
        w->close();
      else
        w->cmdDismiss_Click();
    };
    Activate(w);
    EXPECT_EQ(pacer.paces, 4) << closeBox;
    EXPECT_TRUE(presentation::pacing().G_bCancel);
    EXPECT_FALSE(w->IsLoaded());
    // A later activation starts nothing.
    Activate(w);
    EXPECT_EQ(pacer.paces, 4);
    w->Release();
  }
}

}  // namespace
