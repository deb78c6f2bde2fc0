// Captures of the animation and of the desktop.
//
// A frame capture copies the current frame (with the active colour filter) into a picture and
// onto the clipboard; it can be saved as the next numbered bitmap file in the user's pictures
// folder and be made the desktop wallpaper. The desktop capture, taken when a saver run with
// desktop blending starts, stays in memory and feeds the compositor's desktop blend.
//
// Capture numbering, section "Advanced": "Adv_ImageBufferIndex" (default 0) is the number of
// the last capture file modulo "Adv_ImageBufferMax" (default 100, at least 1 in use); files
// are "Zorvane_ScreenCapture_<n>.bmp", n from 1 upward.
#pragma once

#include <QImage>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace host {

// The picture window that shows a capture (the saver window's frame picture or the Properties
// dialog's capture picture). The window layer implements it.
class CapturePicture {
 public:
  virtual ~CapturePicture() = default;
  // Shows `image` at its own size (RenderWidth x RenderHeight pixels).
  virtual void SetCapturedImage(const QImage& image) = 0;
};

// Makes the file the desktop wallpaper; true when the desktop accepted it.
using WallpaperSetter = std::function<bool(const std::string& path)>;
// Takes a picture of the whole primary screen; a null image when that is not possible.
using DesktopGrabber = std::function<QImage()>;

struct ScreenCaptureState {
  int32_t LastCopyWidth = 0;   // size of the last frame copy
  int32_t LastCopyHeight = 0;
  std::string CaptureFolder;   // empty: the user's pictures folder
  WallpaperSetter SetWallpaper;  // empty: SetDesktopWallpaper
  DesktopGrabber GrabDesktop;    // empty: GrabDesktopBitmap
};
ScreenCaptureState& screenCapture();
// Back to a fresh process state (tests).
void ResetScreenCaptureState();

// The frame as an image of RenderWidth x RenderHeight pixels (Format_RGB32), pixel (x, y) from
// FrameBuffer(y * BufferStride + x), combined with FilterMask by AND (FilterMode 1) or XOR
// (FilterMode 2). Pixels the buffer does not hold are black; a null image when the render size
// is not set.
QImage FrameToImage();

// Copies the frame into `picture` (may be null) and onto the clipboard. Returns the image; a
// null image leaves picture and clipboard as they were.
QImage CopyFrameToPicture(CapturePicture* picture);

// The folder of capture files (created when missing) and the file of capture number n.
std::string CaptureFolderPath();
std::string CaptureFilePath(int64_t number);

// Copies the frame (CopyFrameToPicture) and saves it as the next numbered capture file; with
// `setWallpaper` the file is stretched to the screen size and made the desktop wallpaper. The
// stored index advances only when the file was written. A file that cannot be written, or a
// wallpaper the desktop refuses, is reported with a message. Returns true when the file was
// written.
bool SaveScreenCapture(CapturePicture* picture, bool setWallpaper);

// Writes `image` as an uncompressed 24-bit bitmap file (rows bottom-up, padded to 4 bytes, no
// colour table), replacing a file of that name; on failure no file is left. True when written.
bool WriteBitmapFile(const std::string& path, const QImage& image);

// Sets the desktop wallpaper through the desktop's own settings tools (GNOME, Cinnamon, MATE,
// XFCE, KDE Plasma, or feh on a plain X session). True when a tool accepted it.
bool SetDesktopWallpaper(const std::string& path);

// A picture of the whole primary screen, in device pixels; null when there is no screen.
QImage GrabDesktopBitmap();

// `desktop` scaled to width x height as the compositor's desktop image: 3 bytes per pixel
// (blue, green, red), rows bottom-up without gaps. Empty for a null image or a size <= 0.
std::vector<uint8_t> DesktopImageBytes(const QImage& desktop, int32_t width, int32_t height);

// Captures the desktop into the compositor's desktop buffers, scaled to the render size
// (RenderWidth x RenderHeight; before LoadSaverProperties has set them, the stored render size
// rounded as frames are). The saver run calls it, after LoadSaverProperties and before its
// window is shown, when desktop blending is on. Without a picture of the screen the buffers are
// emptied, which turns the desktop blend off. True when an image was captured.
bool CaptureDesktopImage();

// Bitmap file headers as they lie in the file (little-endian).
struct BitmapFileHeader {
  uint16_t bfType = 0;  // 19778, "BM"
  uint32_t bfSize = 0;
  uint16_t bfReserved1 = 0;
  uint16_t bfReserved2 = 0;
  uint32_t bfOffBits = 0;
};
struct BitmapInfoHeader {
  uint32_t biSize = 0;
  int32_t biWidth = 0;
  int32_t biHeight = 0;
  uint16_t biPlanes = 0;
  uint16_t biBitCount = 0;
  uint32_t biCompression = 0;
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0;
  int32_t biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0;
  uint32_t biClrImportant = 0;
};

// The headers of an uncompressed 24-bit bitmap of width x height pixels, rows bottom-up,
// whose pixel bits take `imageBytes` bytes: "BM", file size imageBytes + 54, bits at offset 54;
// a 40-byte information header with 1 plane, 24 bits, no compression and no colour table.
void SetupBitmap24Headers(int32_t width, int32_t height, uint32_t imageBytes, BitmapFileHeader& file,
                          BitmapInfoHeader& info);
// The headers as they lie in a file: little-endian, 14 and 40 bytes.
std::array<uint8_t, 14> SerializeBitmapFileHeader(const BitmapFileHeader& file);
std::array<uint8_t, 40> SerializeBitmapInfoHeader(const BitmapInfoHeader& info);

// Reads a bitmap file: the 14-byte file header, the 40-byte info header and the pixel bytes
// (biSizeImage bytes from the file's pixel offset; for an uncompressed file with biSizeImage 0
// the size follows from width, height and bit count). False for a missing file, a file that is
// not "BM", a malformed header or a file shorter than its pixel bytes; then `info` and `bytes`
// are unchanged (`file` holds the file header when one was read).
bool ReadFileBytes(const std::string& path, BitmapFileHeader& file, BitmapInfoHeader& info,
                   std::vector<uint8_t>& bytes);

// True when the file exists and its length can be read.
bool GetFileLength(const std::string& path);

}  // namespace host
