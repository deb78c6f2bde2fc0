#include <benchmark/benchmark.h>

#include "engine/core/random_table.h"

// One draw of each read head: the engine draws several per star it places or respawns.
static void BM_NextRandomSingle(benchmark::State& state) {
  engine::InitRandomTableWithSeed(1);
  for (auto _ : state) benchmark::DoNotOptimize(engine::NextRandomSingle());
}
BENCHMARK(BM_NextRandomSingle);

static void BM_NextRandomInteger(benchmark::State& state) {
  engine::InitRandomTableWithSeed(1);
  for (auto _ : state) benchmark::DoNotOptimize(engine::NextRandomInteger());
}
BENCHMARK(BM_NextRandomInteger);
