// The cost of the account picture for ordinary and absurd files: time per load and the
// growth of the peak resident size while one load runs. Every picture must stay within
// a few milliseconds and a few MiB; absurd ones are refused from their header or cut
// down by the reader.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "view/player_picture.h"

namespace {

struct Case {
  const char* name;
  QString path;
};

std::vector<Case>& Cases() {
  static std::vector<Case> cases;
  return cases;
}

QByteArray Encoded(const QImage& image, const char* format, int quality = -1,
                   bool progressive = false) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  writer.setProgressiveScanWrite(progressive);
  writer.write(image);
  return bytes;
}

QImage Noise(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  quint32 seed = 12345;
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      line[x] = 0xFF000000u | ((x * 255 / width) << 16) | ((y * 255 / height) << 8) | (seed >> 24);
    }
  }
  return image;
}

// A PNG that claims width x height and holds nothing else.
QByteArray PngHeaderOnly(quint32 width, quint32 height) {
  QByteArray chunk("IHDR");
  for (const quint32 v : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) chunk.append(static_cast<char>(v >> shift));
  }
  chunk.append("\x08\x06\x00\x00\x00", 5);
  quint32 crc = 0xFFFFFFFFu;
  for (const char ch : chunk) {
    crc ^= static_cast<quint8>(ch);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  crc = ~crc;
  QByteArray png("\x89PNG\r\n\x1A\n\x00\x00\x00\x0D", 12);
  png.append(chunk);
  for (int shift = 24; shift >= 0; shift -= 8) png.append(static_cast<char>(crc >> shift));
  return png;
}

void BM_Picture(benchmark::State& state) {
  const Case& c = Cases()[static_cast<size_t>(state.range(0))];
  state.SetLabel(c.name);
  for (auto _ : state) {
    auto icon = tarlyk::LoadUserPicture(c.path, false);
    benchmark::DoNotOptimize(icon);
  }
}

long StatusKb(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::string(key).size()));
  }
  return -1;
}

// The growth of the peak resident size during one load, in KiB (the kernel's peak is
// reset before it).
long PeakGrowthKb(const QString& path) {
  malloc_trim(0);
  { std::ofstream("/proc/self/clear_refs") << "5"; }
  const long before = StatusKb("VmRSS:");
  auto icon = tarlyk::LoadUserPicture(path, false);
  benchmark::DoNotOptimize(icon);
  return StatusKb("VmHWM:") - before;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The readers' complaints about the damaged files, once a run, would fill the screen.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  const int devNull = ::open("/dev/null", O_WRONLY);
  if (devNull >= 0) ::dup2(devNull, STDERR_FILENO);
  QGuiApplication app(argc, argv);
  QTemporaryDir dir;
  const auto add = [&](const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    Cases().push_back({name, path});
  };
  add("96x96.png", Encoded(Noise(96, 96), "PNG"));
  add("512x512.png", Encoded(Noise(512, 512), "PNG"));
  add("512x512.bmp", Encoded(Noise(512, 512), "BMP"));
  add("512x512.jpg", Encoded(Noise(512, 512), "JPEG", 95));
  add("512x512-progressive.jpg", Encoded(Noise(512, 512), "JPEG", 95, true));
  add("8000x1.png", Encoded(Noise(8000, 1), "PNG"));
  add("1x8000.png", Encoded(Noise(1, 8000), "PNG"));
  add("100000x1.png", Encoded(Noise(100000, 1), "PNG"));
  add("1x100000.png", Encoded(Noise(1, 100000), "PNG"));
  add("4000x3000.jpg", Encoded(Noise(4000, 3000), "JPEG", 90));
  add("header-100000x100000.png", PngHeaderOnly(100000, 100000));
  add("100000x100000.svg",
      "<svg xmlns='http://www.w3.org/2000/svg' width='100000' height='100000'>"
      "<circle cx='50000' cy='50000' r='40000' fill='#c04020'/></svg>");

  for (size_t i = 0; i < Cases().size(); ++i) {
    benchmark::RegisterBenchmark("BM_Picture", BM_Picture)
        ->Arg(static_cast<int64_t>(i))
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::printf("peak resident growth of one load (goal: a few MiB):\n");
  for (const Case& c : Cases()) {
    std::printf("  %-26s %7.2f MiB, %s\n", c.name,
                static_cast<double>(PeakGrowthKb(c.path)) / 1024.0,
                tarlyk::LoadUserPicture(c.path, false) ? "picture" : "built-in person");
  }
  benchmark::Shutdown();
  return 0;
}
