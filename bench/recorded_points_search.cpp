// Time of one cursor search over a full store of 60,000 recorded points (the search runs
// while the operator drags a graph cursor). Goal: far below one 16 ms frame.
#include "teach/core/recorded_points.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char **argv) {
  const int queries = argc > 1 ? std::atoi(argv[1]) : 100000;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> channel(0, 4095);
  quorvane::RecordedPoints store;
  const auto t0 = std::chrono::steady_clock::now();
  while (!store.full()) {
    store.append(static_cast<std::int16_t>(channel(random)),
                 static_cast<std::int16_t>(channel(random)),
                 static_cast<std::int16_t>(channel(random)));
  }
  const auto t1 = std::chrono::steady_clock::now();
  std::size_t found = 0;
  for (int i = 0; i < queries; ++i) {
    const int graph = i % 3;
    // Half the queries hit a recorded point, half miss.
    const auto &p = store.points()[static_cast<std::size_t>(random()) % store.counter()];
    quorvane::GraphPosition at = quorvane::projectionOf(p, graph);
    if (i % 2 != 0) at.x += 0.5;
    if (const auto s = store.selectPointAtCursor(graph, at)) found += s->index;
  }
  const auto t2 = std::chrono::steady_clock::now();
  const auto us = [](auto d) { return std::chrono::duration<double, std::micro>(d).count(); };
  std::printf("fill %zu points: %.1f ms\n", store.counter(), us(t1 - t0) / 1000.0);
  std::printf("cursor search: %.3f us per query (%d queries, checksum %zu)\n",
              us(t2 - t1) / queries, queries, found);
  return 0;
}
