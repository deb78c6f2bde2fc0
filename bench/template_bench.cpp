// A whole galaxy and composite load from a 15 MiB template of repeated section headers (none
// of them a section the load asks for), against one plain pass over the same bytes: with the
// sections found once per file the load stays within a small multiple of the pass.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "bench_temp.h"
#include "settings/composites.h"
#include "settings/galaxy_persistence.h"
#include "store/template_lookup.h"

namespace {

// The file lives for the run of the benchmarks, in the run's own folder, and is removed at the end.
struct HeaderFileHolder {
  std::string path = benchsupport::RunFolder() + "/headers.glx";
  HeaderFileHolder() {
    setenv("XDG_CONFIG_HOME", benchsupport::RunFolder().c_str(), 1);  // never the user's settings
    const std::string header = "[UniGal\r\n";
    std::string text;
    text.reserve(size_t{15} << 20);
    while (text.size() + header.size() <= (size_t{15} << 20)) text += header;
    std::ofstream(path, std::ios::binary) << text;
  }
  ~HeaderFileHolder() {
    std::error_code ec;
    std::filesystem::remove(path, ec);
  }
};

const std::string& HeaderFile() {
  static const HeaderFileHolder file;
  return file.path;
}

void BM_WholeLoadOfHeaderFile(benchmark::State& state) {
  store::templateState().TemplatePath = HeaderFile();
  for (auto _ : state) {
    store::ClearTemplateCache();
    settings::LoadAllGalaxiesTemplate();
    settings::LoadAllCompositesTemplate();
  }
  store::ClearTemplateCache();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (int64_t{15} << 20));
}
BENCHMARK(BM_WholeLoadOfHeaderFile)->Unit(benchmark::kMillisecond);

// The bound: read the file and count its lines once.
void BM_LinearScanOfHeaderFile(benchmark::State& state) {
  const std::string& path = HeaderFile();
  for (auto _ : state) {
    std::ifstream f(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    size_t lines = 0;
    for (char c : bytes) lines += c == '\n';
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (int64_t{15} << 20));
}
BENCHMARK(BM_LinearScanOfHeaderFile)->Unit(benchmark::kMillisecond);

}  // namespace
