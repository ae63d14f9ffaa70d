#include "core/files/ProjectFile.h"

#include "core/files/RegionSection.h"
#include "core/files/SafeFile.h"
#include "core/files/WriteCause.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

namespace {

constexpr std::string_view kEol = "\r\n";

void AppendFloatsLine(std::string& out, std::initializer_list<float> values, int decimals) {
  bool first = true;
  for (float v : values) {
    if (!first) out += ' ';
    AppendFixed(out, static_cast<double>(v), decimals);
    first = false;
  }
  out += kEol;
}

void AppendIntsLine(std::string& out, std::initializer_list<int32_t> values) {
  bool first = true;
  for (int32_t v : values) {
    if (!first) out += ' ';
    AppendInt(out, v);
    first = false;
  }
  out += kEol;
}

// Reads values in order and remembers the first problem met.
class SectionReader {
 public:
  explicit SectionReader(std::string_view text) : text_(text), reader_(text) {}

  bool failed() const { return !error_.empty(); }
  const std::string& error() const { return error_; }

  void read(int32_t& field) {
    if (!failed()) check(reader_.readInt(field), "-2147483648", "2147483647");
  }
  void read(float& field) {
    if (!failed()) check(reader_.readFloat(field), "-3.4028235e+38", "3.4028235e+38");
  }
  void fail(std::string message) {
    if (!failed()) error_ = std::move(message);
  }
  // The text past the last value read, and the line it starts on.
  std::string_view rest() const { return text_.substr(reader_.position()); }
  int64_t line() const { return reader_.line(); }

 private:
  // `low` and `high`: the numbers the field holds, for a number past them.
  void check(NumberReader::Status status, const char* low, const char* high) {
    using Status = NumberReader::Status;
    switch (status) {
      case Status::Ok: break;
      case Status::End: error_ = Tr("ProjectFile", "Plik jest niekompletny"); break;
      case Status::NotANumber:
        error_ = Tr("ProjectFile", "Plik zawiera niepoprawne dane: w miejscu liczby stoi inny tekst");
        break;
      case Status::AboveRange:
        error_ = Tr("ProjectFile",
                    "Plik zawiera niepoprawne dane: liczba %1 w wierszu %2 jest za duża (to pole przyjmuje "
                    "liczby od %3 do %4)")
                     .with(Cut(reader_.token()), reader_.line(), low, high);
        break;
      case Status::BelowRange:
        error_ = Tr("ProjectFile",
                    "Plik zawiera niepoprawne dane: liczba %1 w wierszu %2 jest za mała (to pole przyjmuje "
                    "liczby od %3 do %4)")
                     .with(Cut(reader_.token()), reader_.line(), low, high);
        break;
      case Status::NearZero:
        error_ = Tr("ProjectFile",
                    "Plik zawiera niepoprawne dane: liczba %1 w wierszu %2 jest za bliska zera (najmniejsza "
                    "liczba różna od zera, jaką przyjmuje to pole, to 1e-45)")
                     .with(Cut(reader_.token()), reader_.line());
        break;
    }
  }

  // A number's text as a message quotes it: a long one cut short.
  static std::string Cut(std::string_view token) {
    constexpr size_t kLongest = 40;
    if (token.size() <= kLongest) return std::string(token);
    return std::string(token.substr(0, kLongest)) + "…";
  }

  std::string_view text_;
  NumberReader reader_;
  std::string error_;
};

// `message`: the refusal, with %1 for the count and %2 for the capacity.
bool CountInRange(SectionReader& in, int32_t count, int32_t capacity, const Text& message) {
  if (count >= 0 && count <= capacity) return true;
  in.fail(message.with(count, capacity));
  return false;
}

// The numbers of rows the file's first line gives its tables.
struct TableCounts {
  int32_t nodes = 0, elements = 0, conditions = 0, boundaries = 0, internals = 0;
};

// Reads the first line's counts; false when they cannot be read or a
// table cannot hold its rows.
bool ReadCounts(SectionReader& in, TableCounts& n) {
  in.read(n.nodes);
  in.read(n.elements);
  in.read(n.conditions);
  in.read(n.boundaries);
  in.read(n.internals);
  return !in.failed() &&
         CountInRange(in, n.nodes, kMaxNodes,
                      Tr("ProjectFile", "Plik zawiera błędną liczbę węzłów: %1 (dopuszczalna od 0 do %2)")) &&
         CountInRange(
             in, n.elements, kMaxElements,
             Tr("ProjectFile", "Plik zawiera błędną liczbę elementów: %1 (dopuszczalna od 0 do %2)")) &&
         CountInRange(in, n.conditions, kMaxConditions,
                      Tr("ProjectFile",
                         "Plik zawiera błędną liczbę warunków brzegowych: %1 (dopuszczalna od 0 do %2)")) &&
         CountInRange(
             in, n.boundaries, kMaxBoundaries,
             Tr("ProjectFile", "Plik zawiera błędną liczbę brzegów: %1 (dopuszczalna od 0 do %2)")) &&
         CountInRange(in, n.internals, kMaxInternalNodes,
                      Tr("ProjectFile",
                         "Plik zawiera błędną liczbę węzłów wewnętrznych: %1 (dopuszczalna od 0 do %2)"));
}

// Reads the nodes and the elements, whose ends must be among the nodes.
void ReadGeometry(SectionReader& in, const TableCounts& n, Model& m) {
  m.nodeCount = n.nodes;
  for (int32_t i = 1; i <= n.nodes; ++i) {
    in.read(m.NodeTable[i].x);
    in.read(m.NodeTable[i].y);
  }
  m.elementCount = n.elements;
  for (int32_t i = 1; i <= n.elements; ++i) {
    Element& e = m.ElementTable[i];
    in.read(e.startNode);
    in.read(e.endNode);
    in.read(e.bcNumber);
    in.read(e.boundaryNumber);
    // Drawing, meshing and the lists follow these numbers into the node
    // table; a file whose elements point past it is not a model.
    if (!in.failed() && (e.startNode < 1 || e.startNode > n.nodes || e.endNode < 1 || e.endNode > n.nodes)) {
      in.fail(Tr("ProjectFile", "Element %1 odwołuje się do nieistniejącego węzła").with(i));
    }
  }
}

// Reads what follows the elements: the conditions, the boundaries, the
// properties, the internal nodes, the problem's kind and the region section.
void ReadPhysics(SectionReader& in, const TableCounts& n, Model& m) {
  m.bcCount = n.conditions;
  for (int32_t i = 1; i <= n.conditions; ++i) {
    BoundaryCondition& c = m.BcTable[i];
    for (float* f : {&c.kind, &c.value1, &c.value2, &c.value3, &c.value4, &c.value5, &c.value6}) {
      in.read(*f);
    }
  }
  m.boundaryCount = n.boundaries;
  for (int32_t i = 1; i <= n.boundaries; ++i) {
    in.read(m.BoundaryTable[i].kind);
  }
  in.read(m.Conductivity);
  in.read(m.SecondProperty);
  m.internalNodeCount = n.internals;
  for (int32_t i = 1; i <= n.internals; ++i) {
    in.read(m.InternalNodeTable[i].x);
    in.read(m.InternalNodeTable[i].y);
  }
  in.read(m.ProblemKind);
  if (!in.failed()) in.fail(ReadRegionSection(in.rest(), in.line(), m));
}

}  // namespace

std::string FormatProjectFile(const Model& m) {
  std::string out;
  out.reserve(64 + 40 * static_cast<size_t>(m.nodeCount) + 24 * static_cast<size_t>(m.elementCount) +
              72 * static_cast<size_t>(m.bcCount) + 24 * static_cast<size_t>(m.internalNodeCount));
  AppendIntsLine(out, {m.nodeCount, m.elementCount, m.bcCount, m.boundaryCount, m.internalNodeCount});
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    AppendFloatsLine(out, {m.NodeTable[i].x, m.NodeTable[i].y}, 15);
  }
  for (int32_t i = 1; i <= m.elementCount; ++i) {
    const Element& e = m.ElementTable[i];
    AppendIntsLine(out, {e.startNode, e.endNode, e.bcNumber, e.boundaryNumber});
  }
  for (int32_t i = 1; i <= m.bcCount; ++i) {
    const BoundaryCondition& c = m.BcTable[i];
    AppendFloatsLine(out, {c.kind, c.value1, c.value2, c.value3, c.value4, c.value5, c.value6}, 6);
  }
  for (int32_t i = 1; i <= m.boundaryCount; ++i) {
    AppendIntsLine(out, {m.BoundaryTable[i].kind});
  }
  AppendFloatsLine(out, {m.Conductivity, m.SecondProperty}, 6);
  for (int32_t i = 1; i <= m.internalNodeCount; ++i) {
    AppendFloatsLine(out, {m.InternalNodeTable[i].x, m.InternalNodeTable[i].y}, 6);
  }
  AppendIntsLine(out, {m.ProblemKind});
  out += kEndMarker;
  AppendRegionSection(out, m);
  return out;
}

FileResult SaveProjectFile(const Model& model, const std::string& path) {
  if (const WriteResult written = WriteFileAtomically(path, FormatProjectFile(model)); !written) {
    return {false, WithWriteCause(SaveFailedMessage(), written.error)};
  }
  return {true, {}};
}

FileResult ParseProjectFile(std::string_view text, Model& m) {
  ResetModelData(m);  // the file fills a new project, whatever was there
  SectionReader in(text);
  TableCounts counts;
  if (ReadCounts(in, counts)) {
    ReadGeometry(in, counts, m);
    ReadPhysics(in, counts, m);
  }
  if (in.failed()) {
    ResetModelData(m);
    return {false, in.error()};
  }
  return {true, {}};
}

FileResult LoadProjectFile(const std::string& path, Model& model) {
  // A real project file is well under a megabyte; anything far larger is
  // not one, and reading it whole would only waste memory.
  constexpr size_t kMaxProjectFileBytes = 16u << 20;
  const std::optional<std::string> text = ReadWholeFile(path, kMaxProjectFileBytes);
  if (!text) {
    ResetModelData(model);
    return {false, Tr("ProjectFile", "Nie można odczytać pliku")};
  }
  return ParseProjectFile(*text, model);
}
