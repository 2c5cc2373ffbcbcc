// trelvan-genstatement: writes a large, realistic statement file for benchmarks and trials.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/statement_generator.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: trelvan-genstatement ITEMS OUT.gpc\n");
    return 2;
  }
  char* end = nullptr;
  const unsigned long long items = std::strtoull(argv[1], &end, 10);
  if (end == argv[1] || *end != '\0') {
    std::fprintf(stderr, "trelvan-genstatement: not a number of items: %s\n", argv[1]);
    return 2;
  }
  trelvan::bench::StatementFileShape shape;
  shape.items = items;
  if (!trelvan::bench::WriteStatementFile(argv[2], shape)) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
