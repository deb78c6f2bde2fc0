#include "host/screen_capture.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "presentation/compositor.h"
#include "presentation/render_state.h"
#include "store/registry_access.h"
#include "store/values.h"
#include "platform/message_box.h"
#include "runtime/numbers.h"
#include "store/typed_readers.h"

namespace host {
namespace {

constexpr uint16_t kBitmapType = 19778;  // "BM"
constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;

bool HaveGuiApplication() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFF));
}

// Runs a settings tool of the desktop; true when it ran and succeeded.
bool RunTool(const QString& program, const QStringList& args, QString* output = nullptr) {
  const QString exe = QStandardPaths::findExecutable(program);
  if (exe.isEmpty()) return false;
  QProcess process;
  process.start(exe, args);
  if (!process.waitForFinished(10000)) {
    process.kill();
    process.waitForFinished(1000);
    return false;
  }
  if (output != nullptr) *output = QString::fromLocal8Bit(process.readAllStandardOutput());
  return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool SetGnomeWallpaper(const QString& uri) {
  if (!RunTool("gsettings", {"set", "org.gnome.desktop.background", "picture-uri", uri})) return false;
  // The dark-style picture exists on newer desktops only; older ones lack the key.
  RunTool("gsettings", {"set", "org.gnome.desktop.background", "picture-uri-dark", uri});
  return true;
}

bool SetXfceWallpaper(const QString& file) {
  QString list;
  if (!RunTool("xfconf-query", {"-c", "xfce4-desktop", "-l"}, &list)) return false;
  bool any = false;
  for (const QString& property : list.split('\n', Qt::SkipEmptyParts)) {
    if (!property.trimmed().endsWith("/last-image")) continue;
    if (RunTool("xfconf-query", {"-c", "xfce4-desktop", "-p", property.trimmed(), "-s", file})) any = true;
  }
  return any;
}

}  // namespace

ScreenCaptureState& screenCapture() {
  static ScreenCaptureState s;
  return s;
}

void ResetScreenCaptureState() { screenCapture() = ScreenCaptureState{}; }

QImage FrameToImage() {
  const presentation::RenderState& r = presentation::render();
  const presentation::CompositorState& c = presentation::compositor();
  const int32_t w = r.RenderWidth;
  const int32_t h = r.RenderHeight;
  if (w <= 0 || h <= 0) return {};
  QImage image(w, h, QImage::Format_RGB32);
  if (image.isNull()) return {};
  const int64_t stride = r.BufferStride > 0 ? r.BufferStride : w;
  const uint32_t mask = static_cast<uint32_t>(c.FilterMask) & 0xFFFFFFu;
  const auto& frame = r.FrameBuffer;
  for (int32_t y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int32_t x = 0; x < w; ++x) {
      const int64_t at = y * stride + x;
      uint32_t px = at < static_cast<int64_t>(frame.size()) ? frame[static_cast<size_t>(at)] & 0xFFFFFFu : 0u;
      if (c.FilterMode == 1) px &= mask;
      if (c.FilterMode == 2) px ^= mask;
      line[x] = 0xFF000000u | px;
    }
  }
  return image;
}

QImage CopyFrameToPicture(CapturePicture* picture) {
  QImage image = FrameToImage();
  if (image.isNull()) return image;
  ScreenCaptureState& s = screenCapture();
  s.LastCopyWidth = image.width();
  s.LastCopyHeight = image.height();
  if (picture != nullptr) picture->SetCapturedImage(image);
  if (HaveGuiApplication()) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(image);
  }
  return image;
}

std::string CaptureFolderPath() {
  QString folder = QString::fromStdString(screenCapture().CaptureFolder);
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  QDir().mkpath(folder);
  return folder.toStdString();
}

std::string CaptureFilePath(int64_t number) {
  std::string name = platform::kProductName;
  std::replace(name.begin(), name.end(), ' ', '_');
  std::string folder = CaptureFolderPath();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder + name + "_ScreenCapture_" + runtime::LongToText(number) + ".bmp";
}

bool SaveScreenCapture(CapturePicture* picture, bool setWallpaper) {
  // A negative stored index is not a number this road ever stores; it counts as none.
  const int64_t last = std::max<int32_t>(store::GetSettingLong("Advanced", "Adv_ImageBufferIndex", 0), 0);
  const int64_t number = last + 1;
  const int32_t cycle = store::MaxLong(1, store::GetSettingLong("Advanced", "Adv_ImageBufferMax", 100));
  const std::string path = CaptureFilePath(number);

  QImage image = CopyFrameToPicture(picture);
  const presentation::RenderState& r = presentation::render();
  if (!image.isNull() && setWallpaper && r.ScreenPixelWidth > 0 && r.ScreenPixelHeight > 0) {
    // The wallpaper covers the whole screen.
    image = image.scaled(r.ScreenPixelWidth, r.ScreenPixelHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (image.isNull() || !WriteBitmapFile(path, image)) {
    platform::ShowMessage("The screen capture could not be saved as\n" + path, platform::kProductName,
                          platform::MsgIcon::Exclamation);
    return false;
  }
  store::SaveRegSetting("Advanced", "Adv_ImageBufferIndex", static_cast<int32_t>(number % cycle));

  if (setWallpaper) {
    const WallpaperSetter& setter = screenCapture().SetWallpaper;
    const bool set = setter ? setter(path) : SetDesktopWallpaper(path);
    if (!set) {
      platform::ShowMessage("The desktop wallpaper could not be set to\n" + path, platform::kProductName,
                            platform::MsgIcon::Exclamation);
    }
  }
  return true;
}

bool WriteBitmapFile(const std::string& path, const QImage& source) {
  if (source.isNull() || source.width() <= 0 || source.height() <= 0) return false;
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) return false;
  const uint64_t w = static_cast<uint64_t>(image.width());
  const uint64_t h = static_cast<uint64_t>(image.height());
  const uint64_t rowBytes = (w * 3 + 3) / 4 * 4;
  const uint64_t pixelBytes = rowBytes * h;
  if (pixelBytes + kHeaderBytes > std::numeric_limits<uint32_t>::max()) return false;

  BitmapFileHeader fileHeader;
  BitmapInfoHeader infoHeader;
  SetupBitmap24Headers(static_cast<int32_t>(w), static_cast<int32_t>(h), static_cast<uint32_t>(pixelBytes), fileHeader,
                       infoHeader);
  const auto fileBytes = SerializeBitmapFileHeader(fileHeader);
  const auto infoBytes = SerializeBitmapInfoHeader(infoHeader);
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(pixelBytes + kHeaderBytes));
  out.insert(out.end(), fileBytes.begin(), fileBytes.end());
  out.insert(out.end(), infoBytes.begin(), infoBytes.end());
  for (int y = image.height() - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (uint64_t x = 0; x < w; ++x) {
      out.push_back(static_cast<uint8_t>(qBlue(line[x])));
      out.push_back(static_cast<uint8_t>(qGreen(line[x])));
      out.push_back(static_cast<uint8_t>(qRed(line[x])));
    }
    for (uint64_t pad = w * 3; pad < rowBytes; ++pad) out.push_back(0);
  }

  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(out.size())) !=
      static_cast<qint64>(out.size())) {
    file.cancelWriting();
    file.commit();
    return false;
  }
  return file.commit();
}

void SetupBitmap24Headers(int32_t width, int32_t height, uint32_t imageBytes, BitmapFileHeader& file,
                          BitmapInfoHeader& info) {
  file = BitmapFileHeader{};
  file.bfType = kBitmapType;
  file.bfSize = imageBytes + static_cast<uint32_t>(kHeaderBytes);
  file.bfOffBits = static_cast<uint32_t>(kHeaderBytes);
  info = BitmapInfoHeader{};
  info.biSize = static_cast<uint32_t>(kInfoHeaderBytes);
  info.biWidth = width;
  info.biHeight = height;  // positive: rows bottom-up
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = 0;  // uncompressed
  info.biSizeImage = imageBytes;
}

std::array<uint8_t, 14> SerializeBitmapFileHeader(const BitmapFileHeader& file) {
  std::vector<uint8_t> out;
  Put16(out, file.bfType);
  Put32(out, file.bfSize);
  Put16(out, file.bfReserved1);
  Put16(out, file.bfReserved2);
  Put32(out, file.bfOffBits);
  std::array<uint8_t, 14> bytes{};
  std::copy(out.begin(), out.end(), bytes.begin());
  return bytes;
}

std::array<uint8_t, 40> SerializeBitmapInfoHeader(const BitmapInfoHeader& info) {
  std::vector<uint8_t> out;
  Put32(out, info.biSize);
  Put32(out, static_cast<uint32_t>(info.biWidth));
  Put32(out, static_cast<uint32_t>(info.biHeight));
  Put16(out, info.biPlanes);
  Put16(out, info.biBitCount);
  Put32(out, info.biCompression);
  Put32(out, info.biSizeImage);
  Put32(out, static_cast<uint32_t>(info.biXPelsPerMeter));
  Put32(out, static_cast<uint32_t>(info.biYPelsPerMeter));
  Put32(out, info.biClrUsed);
  Put32(out, info.biClrImportant);
  std::array<uint8_t, 40> bytes{};
  std::copy(out.begin(), out.end(), bytes.begin());
  return bytes;
}

bool SetDesktopWallpaper(const std::string& path) {
  const QString file = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
  if (!QFileInfo(file).isFile()) return false;
  const QString uri = QUrl::fromLocalFile(file).toString();
  const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toUpper();
  if (desktop.contains("XFCE") && SetXfceWallpaper(file)) return true;
  if (desktop.contains("MATE") && RunTool("gsettings", {"set", "org.mate.background", "picture-filename", file}))
    return true;
  if (desktop.contains("CINNAMON") &&
      RunTool("gsettings", {"set", "org.cinnamon.desktop.background", "picture-uri", uri}))
    return true;
  if (desktop.contains("KDE") && RunTool("plasma-apply-wallpaperimage", {file})) return true;
  if (SetGnomeWallpaper(uri)) return true;
  // A plain X session without a desktop of its own paints the root window.
  if (desktop.isEmpty() && RunTool("feh", {"--bg-fill", file})) return true;
  return false;
}

QImage GrabDesktopBitmap() {
  if (!HaveGuiApplication()) return {};
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  return screen->grabWindow(0).toImage();
}

std::vector<uint8_t> DesktopImageBytes(const QImage& desktop, int32_t width, int32_t height) {
  if (desktop.isNull() || width <= 0 || height <= 0) return {};
  const int64_t count = 3LL * width * height;
  if (count > std::numeric_limits<int32_t>::max()) return {};
  const QImage scaled = desktop.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB32);
  if (scaled.isNull() || scaled.width() != width || scaled.height() != height) return {};
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(count));
  for (int32_t y = height - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
    for (int32_t x = 0; x < width; ++x) {
      bytes.push_back(static_cast<uint8_t>(qBlue(line[x])));
      bytes.push_back(static_cast<uint8_t>(qGreen(line[x])));
      bytes.push_back(static_cast<uint8_t>(qRed(line[x])));
    }
  }
  return bytes;
}

bool CaptureDesktopImage() {
  const presentation::RenderState& r = presentation::render();
  int64_t w = r.RenderWidth;
  int64_t h = r.RenderHeight;
  if (w <= 0 || h <= 0) {
    w = store::GetSettingLong("DirectX", "DX_WinWidth", r.ScreenPixelWidth);
    h = store::GetSettingLong("DirectX", "DX_WinHeight", r.ScreenPixelHeight);
    if (w <= 16) w = 16;
    if (h <= 12) h = 12;
    w = (w + 3) / 4 * 4;
  }
  std::vector<uint8_t> bytes;
  if (w <= std::numeric_limits<int32_t>::max() && h <= std::numeric_limits<int32_t>::max()) {
    const DesktopGrabber& grab = screenCapture().GrabDesktop;
    const QImage shot = grab ? grab() : GrabDesktopBitmap();
    bytes = DesktopImageBytes(shot, static_cast<int32_t>(w), static_cast<int32_t>(h));
  }
  const bool captured = !bytes.empty();
  presentation::SetDesktopCapture(std::move(bytes));
  return captured;
}

bool ReadFileBytes(const std::string& path, BitmapFileHeader& file, BitmapInfoHeader& info,
                   std::vector<uint8_t>& bytes) {
  if (!GetFileLength(path)) return false;
  std::error_code ec;
  const uint64_t length = std::filesystem::file_size(path, ec);
  if (ec) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;

  std::array<uint8_t, kHeaderBytes> head{};
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(kFileHeaderBytes));
  if (static_cast<size_t>(in.gcount()) != kFileHeaderBytes) return false;
  file.bfType = Le16(&head[0]);
  file.bfSize = Le32(&head[2]);
  file.bfReserved1 = Le16(&head[6]);
  file.bfReserved2 = Le16(&head[8]);
  file.bfOffBits = Le32(&head[10]);
  if (file.bfType != kBitmapType) return false;

  in.read(reinterpret_cast<char*>(head.data() + kFileHeaderBytes), static_cast<std::streamsize>(kInfoHeaderBytes));
  if (static_cast<size_t>(in.gcount()) != kInfoHeaderBytes) return false;
  const uint8_t* p = head.data() + kFileHeaderBytes;
  BitmapInfoHeader read;
  read.biSize = Le32(p);
  read.biWidth = static_cast<int32_t>(Le32(p + 4));
  read.biHeight = static_cast<int32_t>(Le32(p + 8));
  read.biPlanes = Le16(p + 12);
  read.biBitCount = Le16(p + 14);
  read.biCompression = Le32(p + 16);
  read.biSizeImage = Le32(p + 20);
  read.biXPelsPerMeter = static_cast<int32_t>(Le32(p + 24));
  read.biYPelsPerMeter = static_cast<int32_t>(Le32(p + 28));
  read.biClrUsed = Le32(p + 32);
  read.biClrImportant = Le32(p + 36);
  if (read.biSize < kInfoHeaderBytes || file.bfOffBits < kHeaderBytes) return false;

  // The pixel bytes start where the file says (right after the headers when there is no colour
  // table); an uncompressed file may leave their size 0.
  uint64_t size = read.biSizeImage;
  if (size == 0 && read.biCompression == 0) {
    const uint64_t w = static_cast<uint64_t>(read.biWidth < 0 ? 0 : read.biWidth);
    const uint64_t h = read.biHeight < 0 ? 0ULL - static_cast<uint64_t>(static_cast<int64_t>(read.biHeight))
                                         : static_cast<uint64_t>(read.biHeight);
    const uint64_t rowBytes = (w * read.biBitCount + 31) / 32 * 4;
    if (rowBytes != 0 && h > length / rowBytes) return false;
    size = rowBytes * h;
  }
  if (size == 0 || file.bfOffBits > length || size > length - file.bfOffBits) return false;
  if (size > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return false;

  std::vector<uint8_t> pixels(static_cast<size_t>(size));
  in.seekg(static_cast<std::streamoff>(file.bfOffBits));
  in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(size));
  if (!in || static_cast<uint64_t>(in.gcount()) != size) return false;
  info = read;
  bytes = std::move(pixels);
  return true;
}

bool GetFileLength(const std::string& path) {
  std::error_code ec;
  (void)std::filesystem::file_size(path, ec);
  return !ec;
}

}  // namespace host
