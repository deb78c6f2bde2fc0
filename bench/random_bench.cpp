#include <benchmark/benchmark.h>

#include "model/random_table.h"

// One draw of each read head: the engine draws several per star it places or respawns.
static void BM_NextRandomSingle(benchmark::State& state) {
  model::InitRandomTableWithSeed(1);
  for (auto _ : state) benchmark::DoNotOptimize(model::NextRandomSingle());
}
BENCHMARK(BM_NextRandomSingle);

static void BM_NextRandomInteger(benchmark::State& state) {
  model::InitRandomTableWithSeed(1);
  for (auto _ : state) benchmark::DoNotOptimize(model::NextRandomInteger());
}
BENCHMARK(BM_NextRandomInteger);
