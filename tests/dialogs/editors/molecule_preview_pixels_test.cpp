// The molecule preview on the window layer's own pacer and frame copy: the picture shows lit
// pixels that move between two samples, until Stop.
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "dialogs/editors/molecule_fixture.h"
#include "host/picture_box.h"
#include "host/qt_platform.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"

namespace dialogstest {
namespace {

// What the window shows now in the preview picture.
QImage ShownPreview(dialogs::frmMolecule& w) {
  const QPoint at = w.picPreview->mapTo(&w, QPoint(0, 0));
  return QGuiApplication::primaryScreen()
      ->grabWindow(w.winId(), at.x(), at.y(), w.picPreview->width(), w.picPreview->height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

int LitPixels(const QImage& img) {
  int lit = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFFu) != 0) ++lit;
  return lit;
}

TEST_F(MoleculeEditorTest, ThePreviewDrawsAMovingMoleculeIntoItsPicture) {
  presentation::InstallHostPlatform(&host::qtPlatform());
  presentation::InstallFrameSink(&host::qtFrameSink());
  ShowActive();
  w->cboTheme->SetListIndex(1);
  QImage first, second;
  bool stoppedByTest = false;
  QTimer::singleShot(400, w, [&] { first = ShownPreview(*w); });
  QTimer::singleShot(800, w, [&] {
    second = ShownPreview(*w);
    stoppedByTest = w->cmdPreview->Caption() == "Stop";
    w->cmdPreview->PerformClick();
  });
  // A safety stop should the preview not end.
  QTimer::singleShot(10000, w, [] { presentation::pacing().G_bCancel = true; });
  w->cmdPreview->PerformClick();

  EXPECT_TRUE(stoppedByTest);
  ASSERT_FALSE(first.isNull());
  ASSERT_FALSE(second.isNull());
  EXPECT_GT(LitPixels(first), 20);
  EXPECT_GT(LitPixels(second), 20);
  EXPECT_NE(first, second);
  EXPECT_EQ(w->cmdPreview->Caption(), "Preview Molecule");
  ExpectAtomsAsStored();
  // Closing the window lets the engine forget the picture.
  w->cmdDismiss->PerformClick();
  EXPECT_EQ(presentation::render().RenderTarget, nullptr);
}

}  // namespace
}  // namespace dialogstest
