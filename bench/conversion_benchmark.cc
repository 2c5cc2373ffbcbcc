// Times both conversions of a large statement against copying the same files in the same run,
// on real files: ABO -> DBF against copying the statement file, DBF -> ABO against copying the
// table and its memo file. The ratio to the copy is the figure that counts; absolute times
// depend on the machine and its load.
//
// The statement (1 000 000 items unless --items=N) is generated once into a temporary folder
// under $TMPDIR (or /tmp), which is removed at the end. Each iteration times three things with
// the same source files in the page cache, each writing new files: `cp` run as a process, a
// plain 64 KiB read/write copy loop, and the conversion. The conversion's wall-clock time is
// the benchmark's (manual) time; ratio_to_cp is the goal's figure.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "bench/statement_generator.h"
#include "convert/conversions.h"
#include "convert/prompter.h"
#include "formats/amount.h"
#include "formats/byte_order.h"
#include "platform/native_file_system.h"

namespace trelvan::bench {
namespace {

namespace fs = std::filesystem;

std::uint64_t g_items = 1000000;

// Answers Yes and keeps the last message, so a failed conversion can be told apart.
class QuietPrompter : public Prompter {
 public:
  bool AskYesNo(const std::string&) override { return true; }
  void Show(MessageStyle, const std::string& text) override { last_ = text; }
  const std::string& last() const { return last_; }

 private:
  std::string last_;
};

// Wall-clock and processor time of one step. The processor time (user and system, of this
// process or of the child processes it waited for) is steadier than the wall clock on a busy
// machine, though it misses time spent waiting for the disk.
struct Timing {
  double wall = 0;
  double cpu = 0;
};

double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

Timing Measure(const std::function<void()>& work, int who = RUSAGE_SELF) {
  const double cpu_start = CpuSeconds(who);
  const auto start = std::chrono::steady_clock::now();
  work();
  const auto end = std::chrono::steady_clock::now();
  return {std::chrono::duration<double>(end - start).count(), CpuSeconds(who) - cpu_start};
}

void Convert(bool abo_to_dbf, const std::string& from, const std::string& to) {
  NativeFileSystem files;
  QuietPrompter prompter;
  ConversionContext context{files, prompter, Date{2026, 12, 6}};
  const int result =
      abo_to_dbf ? ConvertAboToDbf(from, to, context) : ConvertDbfToAbo(from, to, context);
  if (result != 1) throw std::runtime_error("conversion failed: " + prompter.last());
}

// The temporary folder with the generated statement and the table made from it.
class Workspace {
 public:
  static Workspace& Get() {
    static Workspace workspace;
    return workspace;
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // Removes what an earlier step wrote, so that every step writes new files.
  void ClearOutputs() const {
    for (const char* name : {"out.dbf", "out.dbt", "out.gpc", "copy"}) fs::remove_all(dir_ / name);
    fs::create_directory(dir_ / "copy");
  }
  std::uintmax_t SizeOf(const std::string& name) const { return fs::file_size(dir_ / name); }

 private:
  Workspace() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/trelvan-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
    dir_ = pattern;
    StatementFileShape shape;
    shape.items = g_items;
    if (!WriteStatementFile(Path("statement.gpc"), shape)) {
      throw std::runtime_error("cannot write " + Path("statement.gpc"));
    }
    Convert(true, Path("statement.gpc"), Path("statement.dbf"));
    for (const bool within_statements : {false, true}) {
      const std::string name = within_statements ? "sorted-within" : "sorted";
      WriteSortedTable(Path("statement.dbf"), Path(name + ".dbf"), within_statements);
      fs::copy_file(Path("statement.dbt"), Path(name + ".dbt"));
    }
  }

  // The table with its rows sorted by amount, as a database program sorts it, either all rows
  // or each statement's rows: the same memo file, its memos now read in no particular order.
  static void WriteSortedTable(const std::string& from, const std::string& to,
                               bool within_statements) {
    const int in = ::open(from.c_str(), O_RDONLY);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0) throw std::runtime_error("cannot sort " + from);
    const auto read_at = [in](char* buffer, std::size_t n, off_t at) {
      if (::pread(in, buffer, n, at) != static_cast<ssize_t>(n)) throw std::runtime_error("read");
    };
    const auto write = [out](const char* buffer, std::size_t n) {
      if (::write(out, buffer, n) != static_cast<ssize_t>(n)) throw std::runtime_error("write");
    };
    char header[32];
    read_at(header, sizeof header, 0);
    const std::uint32_t count = ReadU32Le(header + 4);
    const std::size_t header_length = ReadU16Le(header + 8);
    const std::size_t record_length = ReadU16Le(header + 10);
    constexpr std::size_t kPriceOffset = 141, kPriceWidth = 12, kHeaderPart = 111;
    struct Key {
      std::uint32_t statement;
      std::int64_t price;
      std::uint32_t row;
      bool operator<(const Key& other) const {
        return std::tie(statement, price, row) < std::tie(other.statement, other.price, other.row);
      }
    };
    std::vector<Key> order(count);
    std::vector<char> record(record_length);
    std::string last_header_part;
    std::uint32_t statement = 0;
    for (std::uint32_t row = 0; row < count; ++row) {
      read_at(record.data(), kPriceOffset + kPriceWidth,
              static_cast<off_t>(header_length + record_length * row));
      const std::string header_part(record.data() + 1, kHeaderPart);
      if (within_statements && header_part != last_header_part) ++statement;
      last_header_part = header_part;
      order[row] = {statement,
                    ReadTableAmount(std::string_view(record.data() + kPriceOffset, kPriceWidth)),
                    row};
    }
    std::sort(order.begin(), order.end());
    std::vector<char> head(header_length);
    read_at(head.data(), header_length, 0);
    write(head.data(), header_length);
    for (const auto& [statement_number, price, row] : order) {
      read_at(record.data(), record_length,
              static_cast<off_t>(header_length + record_length * row));
      write(record.data(), record_length);
    }
    write("\x1A", 1);
    ::close(in);
    ::close(out);
  }

  fs::path dir_;
};

void RunCp(const std::vector<std::string>& sources, const std::string& folder) {
  std::string command = "cp";
  for (const std::string& source : sources) command += " '" + source + "'";
  command += " '" + folder + "/'";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

void CopyLoop(const std::vector<std::string>& sources, const std::string& folder) {
  std::vector<char> buffer(64 * 1024);
  for (const std::string& source : sources) {
    const int in = ::open(source.c_str(), O_RDONLY);
    const std::string target = folder + "/" + fs::path(source).filename().string();
    const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0) throw std::runtime_error("cannot copy " + source);
    for (;;) {
      const ssize_t got = ::read(in, buffer.data(), buffer.size());
      if (got < 0) throw std::runtime_error("cannot read " + source);
      if (got == 0) break;
      if (::write(out, buffer.data(), static_cast<std::size_t>(got)) != got) {
        throw std::runtime_error("cannot write " + target);
      }
    }
    ::close(in);
    ::close(out);
  }
}

bool SameContents(const std::string& a, const std::string& b) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> fa(std::fopen(a.c_str(), "rb"), std::fclose);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> fb(std::fopen(b.c_str(), "rb"), std::fclose);
  if (!fa || !fb) return false;
  std::vector<char> ba(64 * 1024), bb(64 * 1024);
  for (;;) {
    const std::size_t na = std::fread(ba.data(), 1, ba.size(), fa.get());
    const std::size_t nb = std::fread(bb.data(), 1, bb.size(), fb.get());
    if (na != nb || std::memcmp(ba.data(), bb.data(), na) != 0) return false;
    if (na == 0) return true;
  }
}

// Times `convert` against `cp` and the copy loop of `sources`, and reports the ratios.
void CompareWithCopy(benchmark::State& state, const std::vector<std::string>& sources,
                     const std::function<void()>& convert) {
  Workspace& workspace = Workspace::Get();
  const std::string folder = workspace.Path("copy");
  Timing conversion, cp, loop;
  const auto add = [](Timing& total, const Timing& step) {
    total.wall += step.wall;
    total.cpu += step.cpu;
  };
  for (auto _ : state) {
    workspace.ClearOutputs();
    add(cp, Measure([&] { RunCp(sources, folder); }, RUSAGE_CHILDREN));
    workspace.ClearOutputs();
    add(loop, Measure([&] { CopyLoop(sources, folder); }));
    workspace.ClearOutputs();
    const Timing step = Measure(convert);
    add(conversion, step);
    state.SetIterationTime(step.wall);
  }
  std::uintmax_t bytes = 0;
  for (const std::string& source : sources) bytes += fs::file_size(source);
  const auto iterations = static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
  state.counters["source_MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["cp_ms"] = 1000 * cp.wall / iterations;
  state.counters["copy_loop_ms"] = 1000 * loop.wall / iterations;
  state.counters["ratio_to_cp"] = conversion.wall / cp.wall;
  state.counters["ratio_to_copy_loop"] = conversion.wall / loop.wall;
  state.counters["cpu_ms"] = 1000 * conversion.cpu / iterations;
  state.counters["cpu_ratio_to_cp"] = conversion.cpu / cp.cpu;
  state.counters["cpu_ratio_to_copy_loop"] = conversion.cpu / loop.cpu;
}

void BM_AboToDbf(benchmark::State& state) {
  Workspace& w = Workspace::Get();
  CompareWithCopy(state, {w.Path("statement.gpc")},
                  [&] { Convert(true, w.Path("statement.gpc"), w.Path("out.dbf")); });
  state.counters["table_MB"] = static_cast<double>(w.SizeOf("out.dbf")) / 1e6;
  state.counters["memo_MB"] = static_cast<double>(w.SizeOf("out.dbt")) / 1e6;
}

void BM_DbfToAbo(benchmark::State& state) {
  Workspace& w = Workspace::Get();
  CompareWithCopy(state, {w.Path("statement.dbf"), w.Path("statement.dbt")},
                  [&] { Convert(false, w.Path("statement.dbf"), w.Path("out.gpc")); });
  // The statement must come back byte for byte, or the time measured the wrong work.
  if (!SameContents(w.Path("out.gpc"), w.Path("statement.gpc"))) {
    state.SkipWithError("the round trip did not give the statement back");
  }
}

// The same table sorted by amount: every memo is read out of file order. Compare its time with
// BM_DbfToAbo's. Sorted as a whole, the statements mix and nearly every row gets a header line
// of its own (half as much output again); sorted within each statement, the output keeps its
// size and only the memo reads differ.
void DbfToAboSorted(benchmark::State& state, const std::string& name) {
  Workspace& w = Workspace::Get();
  CompareWithCopy(state, {w.Path(name + ".dbf"), w.Path(name + ".dbt")},
                  [&] { Convert(false, w.Path(name + ".dbf"), w.Path("out.gpc")); });
  if (w.SizeOf("out.gpc") < w.SizeOf("statement.gpc")) {
    state.SkipWithError("the sorted table gave fewer lines than the statement has");
  }
  state.counters["output_MB"] = static_cast<double>(w.SizeOf("out.gpc")) / 1e6;
}
void BM_DbfToAboSorted(benchmark::State& state) { DbfToAboSorted(state, "sorted"); }
void BM_DbfToAboSortedWithinStatements(benchmark::State& state) {
  DbfToAboSorted(state, "sorted-within");
}

BENCHMARK(BM_AboToDbf)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DbfToAbo)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DbfToAboSorted)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DbfToAboSortedWithinStatements)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trelvan::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--items=", 0) == 0) {
      trelvan::bench::g_items = std::strtoull(arg.c_str() + 8, nullptr, 10);
    } else {
      std::fprintf(stderr, "unknown argument: %s (besides the benchmark's own: --items=N)\n",
                   argv[i]);
      return 2;
    }
  }
  try {
    benchmark::RunSpecifiedBenchmarks();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "trelvan-bench: %s\n", error.what());
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
