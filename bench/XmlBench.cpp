// Reading speed of XML documents and string tables, and string lookups.
// Goals: parsing 20 MB/s or more, from memory and from a file; a 1 MB string
// table loads in 30 ms or less, and a larger one in proportion to its size; a
// million lookups a second or more.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/BenchFolder.h"
#include "bench/support/SpeedGoals.h"
#include "platform/xml/TStringTable.h"
#include "platform/xml/TXmlNode.h"

namespace {

constexpr size_t kDocumentBytes = 1024 * 1024;
constexpr size_t kTableBytes = 1024 * 1024;
constexpr size_t kLargeTableBytes = 4 * 1024 * 1024;

// A level table as the game's data files have them: elements with
// attributes, text and entities, in CR LF lines.
std::string LevelDocument() {
  std::string xml = "<?xml version=\"1.0\"?>\r\n<levels>\r\n";
  for (int level = 0; xml.size() < kDocumentBytes; ++level) {
    xml += "  <level id=\"" + std::to_string(level) + "\" world=\"3\" rings=\"7\" timer=\"120.5\">\r\n";
    xml += "    <name>Level &amp; tower number " + std::to_string(level) + "</name>\r\n";
    xml += "    <pieces colours=\"5\" blockers=\"2\" powerups=\"bomb,lock,gear\"/>\r\n";
    xml += "    <target medal=\"gold\">125000</target>\r\n  </level>\r\n";
  }
  return xml + "</levels>\r\n";
}

std::string Row(const std::string& label, const std::string& text) {
  return "<Row><Cell ss:StyleID=\"s21\"><Data ss:Type=\"String\">" + label +
         "</Data></Cell><Cell><Data ss:Type=\"String\">" + text + "</Data></Cell></Row>\r\n";
}

// A spreadsheet of about the given size; its labels go to labels. With
// prefixed cells, the cells are written "<ss:Data", as some spreadsheets
// write them, so no row holds a cell that the table reads.
std::string StringTable(size_t bytes, bool prefixedCells, std::vector<TString>* labels) {
  std::string xml = "<?xml version=\"1.0\"?>\r\n<Workbook><Worksheet><Table>\r\n";
  for (int i = 0; xml.size() < bytes; ++i) {
    std::string label = "IDS_LABEL_" + std::to_string(i);
    std::string row = Row(label, "Score %1% of %2% &amp; caf&#233; for " + label);
    for (size_t at = 0; prefixedCells && (at = row.find("Data", at)) != std::string::npos; at += 7) {
      row.insert(at, "ss:");
    }
    xml += row;
    labels->push_back(label.c_str());
  }
  return xml + "</Table></Worksheet></Workbook>\r\n";
}

void BM_ParseString(benchmark::State& state) {
  std::string xml = LevelDocument();
  for (auto _ : state) {
    TXmlNode document;
    benchmark::DoNotOptimize(document.ParseString(xml.data(), xml.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(BM_ParseString)->Unit(benchmark::kMillisecond);

void BM_ParseFile(benchmark::State& state) {
  BenchFolder folder;
  std::string xml = LevelDocument();
  TString name = ("::" + folder.Write("levels.xml", xml)).c_str();
  for (auto _ : state) {
    TXmlNode document;
    benchmark::DoNotOptimize(document.ParseFile(name));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(BM_ParseFile)->Unit(benchmark::kMillisecond);

// A spreadsheet file, written once and removed at exit.
struct TableFile {
  TableFile(size_t bytes, bool prefixedCells)
      : name(("::" + folder.Write("strings.xml", StringTable(bytes, prefixedCells, &labels))).c_str()) {}
  BenchFolder folder;
  std::vector<TString> labels;
  TString name;
};

const TableFile& Table() {
  static TableFile file(kTableBytes, false);
  return file;
}

void BM_StringTableLoad(benchmark::State& state) {
  TStringTable table;
  for (auto _ : state) benchmark::DoNotOptimize(table.Load(Table().name));
  state.counters["labels"] = static_cast<double>(Table().labels.size());
}
BENCHMARK(BM_StringTableLoad)->Unit(benchmark::kMillisecond);

// A large table, well formed (0) or with cells that the table does not read
// (1): every search for a cell must stop at its row's end.
void BM_StringTableLoadLarge(benchmark::State& state) {
  static const TableFile wellFormed(kLargeTableBytes, false);
  static const TableFile prefixed(kLargeTableBytes, true);
  const TableFile& file = state.range(0) == 0 ? wellFormed : prefixed;
  TStringTable table;
  for (auto _ : state) benchmark::DoNotOptimize(table.Load(file.name));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kLargeTableBytes));
}
BENCHMARK(BM_StringTableLoadLarge)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_StringTableLookup(benchmark::State& state) {
  const std::vector<TString>& labels = Table().labels;
  TStringTable table;
  table.Load(Table().name);
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(table.GetString(labels[next], "1200", "5000"));
    next = (next + 7919) % labels.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StringTableLookup);

const SpeedGoals kGoals{
    {"BM_ParseString", "bytes_per_second", Goal::kAtLeast, 20 << 20},
    {"BM_ParseFile", "bytes_per_second", Goal::kAtLeast, 20 << 20},
    {"BM_StringTableLoad", kTimeMs, Goal::kAtMost, 30},
    {"BM_StringTableLoadLarge/0", kTimeMs, Goal::kAtMost, 120},
    {"BM_StringTableLoadLarge/1", kTimeMs, Goal::kAtMost, 120},
    {"BM_StringTableLookup", "items_per_second", Goal::kAtLeast, 1e6},
};

}  // namespace
