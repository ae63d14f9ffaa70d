#include <algorithm>
#include <charconv>
#include <cmath>
#include <tuple>
#include <utility>

#include "core/batch/BatchExport.h"
#include "core/batch/BatchRequest.h"
#include "core/files/OpenExport.h"
#include "core/files/SafeFile.h"
#include "core/files/ShownName.h"
#include "core/mesh/GenerationReport.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

namespace {

// True when `argument` is "--" and the option's name.
bool Names(const BatchOption& option, std::string_view argument) {
  return argument.size() == option.name.size() + 2 && argument.starts_with("--") &&
         argument.substr(2) == option.name;
}

bool IsOption(std::string_view argument) {
  const std::vector<BatchOption>& options = BatchOptions();
  return std::any_of(options.begin(), options.end(),
                     [&](const BatchOption& o) { return Names(o, argument); });
}

// No tolerance, join distance or scale of a drawing may exceed this.
constexpr double kDrawingLimitForOptions = 1e9;

// "condition:N" (N from 1), "material:M" (M from 0) or "region".
std::optional<IntegrationTarget> ParseTarget(const std::string& text) {
  if (text == "region") return IntegrationTarget{IntegrationTarget::Region, 0, text};
  for (const auto& [prefix, kind, least] : {std::tuple{"condition:", IntegrationTarget::Condition, 1},
                                            std::tuple{"material:", IntegrationTarget::Material, 0}}) {
    const std::string_view p(prefix);
    if (!text.starts_with(p)) continue;
    int32_t n = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data() + p.size(), end, n);
    if (ec != std::errc() || at != end || at == text.data() + p.size() || n < least) return std::nullopt;
    return IntegrationTarget{kind, n, std::string(p) + std::to_string(n)};
  }
  return std::nullopt;
}

// A finite number with a decimal point or a comma, at least `least` (or
// above it when `above`).
std::optional<double> ParseNumber(std::string text, double least, bool above) {
  std::replace(text.begin(), text.end(), ',', '.');
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value < least ||
      (above && value == least)) {
    return std::nullopt;
  }
  return value;
}

// A positive area (too small to write is checked apart).
std::optional<double> ParseArea(const std::string& text) {
  return ParseNumber(text, 0.0, true);
}

}  // namespace

// The three solver layouts by their extensions, in any case.
std::optional<ExportLayout> LayoutByExtension(std::string_view name) {
  if (HasExtension(name, ".m2d")) return ExportLayout::M2d;
  if (HasExtension(name, ".ulx")) return ExportLayout::Ulx;
  if (HasExtension(name, ".n2d")) return ExportLayout::N2d;
  return std::nullopt;
}

namespace {

// What the reading of the arguments has gathered so far.
struct Reading {
  Request r;
  bool haveOut = false, sawExport = false, sawSolve = false;
  std::vector<std::string> positional;
};

// Takes one option's value (`name` with its dashes) into the reading;
// false, with the reason in `why`, when the value is refused.
using OptionReader = bool (*)(const std::string& name, const std::string& value, Reading& s,
                              std::string& why);

// --export and --solve: the output file, and which of the two runs.
bool ReadOutput(const std::string& name, const std::string& value, Reading& s, std::string& why) {
  (name == "--solve" ? s.sawSolve : s.sawExport) = true;
  if (s.sawSolve && s.sawExport) {
    why = Tr("BatchOptions", "Opcje --export i --solve wykluczają się");
    return false;
  }
  s.r.out = value;
  s.r.solve = name == "--solve";
  s.haveOut = !value.empty();
  return true;
}

// --area: the largest triangle, one the files can still tell from zero.
bool ReadArea(const std::string&, const std::string& value, Reading& s, std::string& why) {
  const std::optional<double> area = ParseArea(value);
  if (!area) {
    why = Tr("BatchOptions", "Pole trójkąta musi być liczbą dodatnią: %1").with(ShownName(value));
    return false;
  }
  if (AreaTooSmallToWrite(*area)) {
    why = AreaTooSmallText(*area, '.');
    return false;
  }
  s.r.area = *area;
  return true;
}

// --adapt: the relative error to refine to, between 0 and 1.
bool ReadAdapt(const std::string&, const std::string& value, Reading& s, std::string& why) {
  const std::optional<double> eta = ParseNumber(value, 0.0, true);
  if (!eta || *eta >= 1.0) {
    why = Tr("BatchOptions",
             "Dokładność (--adapt) to błąd względny większy od 0 i mniejszy od 1, na przykład 0.01: %1")
              .with(ShownName(value));
    return false;
  }
  s.r.adapt = *eta;
  return true;
}

// --integrate: one more target, after those given before it.
bool ReadIntegrate(const std::string&, const std::string& value, Reading& s, std::string& why) {
  const std::optional<IntegrationTarget> target = ParseTarget(value);
  if (!target) {
    why = Tr("BatchOptions",
             "Opcja --integrate przyjmuje condition:N (warunek nr N), material:M (materiał nr M, 0 to "
             "własny modelu) albo region (cały obszar): %1")
              .with(ShownName(value));
    return false;
  }
  s.r.integrate.push_back(*target);
  return true;
}

// --max-triangles: the large mesh limit, a whole number up to the largest.
bool ReadMaxTriangles(const std::string&, const std::string& value, Reading& s, std::string& why) {
  int32_t n = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (ec != std::errc() || end != value.data() + value.size() || n < 1 || n > kLargestMeshTriangles) {
    why = Tr("BatchOptions", "Największa liczba trójkątów to liczba całkowita od 1 do %1: %2")
              .with(kLargestMeshTriangles, ShownName(value));
    return false;
  }
  s.r.maxTriangles = n;
  return true;
}

// --dxf-tolerance, --dxf-join and --dxf-scale: how a drawing is cut, joined
// and scaled; the scale "m" converts its units to metres.
bool ReadDrawing(const std::string& name, const std::string& value, Reading& s, std::string& why) {
  s.r.drawingGiven = true;
  const bool join = name == "--dxf-join";
  if (name == "--dxf-scale" && (value == "m" || value == "M")) {
    s.r.drawing.toMetres = true;
    return true;
  }
  const std::optional<double> number = ParseNumber(value, 0.0, !join);
  if (!number || *number > kDrawingLimitForOptions) {
    why = (join ? Tr("BatchOptions", "Wartość opcji %1 musi być liczbą nieujemną nie większą niż 1e9: %2")
                : Tr("BatchOptions", "Wartość opcji %1 musi być liczbą dodatnią nie większą niż 1e9: %2"))
              .with(name, ShownName(value));
    return false;
  }
  DrawingSettings& d = s.r.drawing;
  (name == "--dxf-tolerance" ? d.tolerance : join ? d.join : d.scale) = *number;
  if (name == "--dxf-scale") d.toMetres = false;
  return true;
}

// --msh-version: 4.1 or 2.2.
bool ReadMshVersion(const std::string&, const std::string& value, Reading& s, std::string& why) {
  if (value != "2.2" && value != "4.1") {
    why = Tr("BatchOptions", "Wersja formatu MSH to 4.1 albo 2.2, a nie %1").with(ShownName(value));
    return false;
  }
  s.r.msh22 = value == "2.2";
  s.r.mshVersionGiven = true;
  return true;
}

// The reader of an option by its name with the dashes; null for none.
OptionReader ReaderOf(std::string_view name) {
  static const std::pair<std::string_view, OptionReader> readers[] = {
      {"--export", ReadOutput},
      {"--solve", ReadOutput},
      {"--area", ReadArea},
      {"--msh-version", ReadMshVersion},
      {"--max-triangles", ReadMaxTriangles},
      {"--adapt", ReadAdapt},
      {"--integrate", ReadIntegrate},
      {"--dxf-tolerance", ReadDrawing},
      {"--dxf-join", ReadDrawing},
      {"--dxf-scale", ReadDrawing},
  };
  for (const auto& [option, reader] : readers) {
    if (option == name) return reader;
  }
  return nullptr;
}

// Reads the arguments in order: each option with its value (after "=" or
// as the next argument), anything else, and all after "--", as files.
bool ReadArguments(const std::vector<std::string>& args, Reading& s, std::string& why) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i], value;
    if (!optionsEnded && name == "--") {
      optionsEnded = true;  // what follows is a file, whatever its name
      continue;
    }
    const bool option = !optionsEnded && name.size() > 1 && name[0] == '-';
    const size_t equals = name.find('=');
    bool inlineValue = false;
    if (option && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
      inlineValue = true;
    }
    if (!option) {
      s.positional.push_back(name);
      continue;
    }
    const OptionReader read = ReaderOf(name);
    if (!IsOption(name) || read == nullptr) {
      why = Tr("BatchOptions", "Nieznana opcja %1").with(ShownName(name));
      return false;
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) {
        why = Tr("BatchOptions", "Brak wartości opcji %1").with(ShownName(name));
        return false;
      }
      value = args[++i];
    }
    if (!read(name, value, s, why)) return false;
  }
  return true;
}

// The output and one project are named, they are not the same file, and
// the output's extension names a format; sets the request's project.
bool CheckFiles(Reading& s, std::string& why) {
  Request& r = s.r;
  if (!s.haveOut) {
    why = Tr("BatchOptions", "Brak nazwy pliku wynikowego (--export PLIK albo --solve PLIK)");
    return false;
  }
  if (s.positional.size() != 1) {
    why = s.positional.empty() ? Tr("BatchOptions", "Brak pliku projektu")
                               : Tr("BatchOptions", "Podaj jeden plik projektu");
    return false;
  }
  r.project = s.positional.front();
  if (r.drawingGiven && !HasExtension(r.project, ".dxf")) {
    why = Tr("BatchOptions", "Opcje --dxf-… dotyczą tylko rysunków .dxf");
    return false;
  }
  if (SameFile(r.out, r.project)) {
    why = Tr("BatchOptions", "Plik wynikowy %1 jest plikiem projektu").with(ShownName(r.out));
    return false;
  }
  if (!OpenFormatForName(r.out) && !LayoutByExtension(r.out)) {
    why = Tr("BatchOptions", "Nieznany format pliku %1 (m2d, ulx, n2d, msh, vtu)").with(ShownName(r.out));
    return false;
  }
  return true;
}

// The options that belong to --solve or to one format come with them.
bool CheckCombinations(const Request& r, std::string& why) {
  if (r.solve && (!OpenFormatForName(r.out) || r.mshVersionGiven)) {
    why =
        Tr("BatchOptions", "Rozwiązanie zapisuje plik .msh (Gmsh 4.1) albo .vtu: %1").with(ShownName(r.out));
    return false;
  }
  if (r.adapt > 0.0 && !r.solve) {
    why = Tr("BatchOptions", "Opcja --adapt dotyczy tylko --solve");
    return false;
  }
  if (!r.integrate.empty() && !r.solve) {
    why = Tr("BatchOptions", "Opcja --integrate dotyczy tylko --solve");
    return false;
  }
  if (r.mshVersionGiven && OpenFormatForName(r.out) != OpenFormat::Msh41) {
    why = Tr("BatchOptions", "Opcja --msh-version dotyczy tylko plików .msh");
    return false;
  }
  return true;
}

}  // namespace

std::optional<Request> ParseBatchRequest(const std::vector<std::string>& args, std::string& why) {
  Reading s;
  if (!ReadArguments(args, s, why) || !CheckFiles(s, why) || !CheckCombinations(s.r, why))
    return std::nullopt;
  return std::move(s.r);
}

const std::vector<BatchOption>& BatchOptions() {
  // The descriptions and value names are translated where they are shown;
  // "%1" stands for the offered area, "%2" for the most refinement steps.
  static const std::vector<BatchOption> options = {
      {"export", TrNoop("BatchOptions", "PLIK"), TrNoop("BatchOptions", "PLIK"), true,
       TrNoop("BatchOptions", "Bez okna: eksportuje siatkę projektu do PLIKU.")},
      {"solve", TrNoop("BatchOptions", "PLIK"), TrNoop("BatchOptions", "PLIK"), false,
       TrNoop("BatchOptions",
              "Bez okna: generuje siatkę, rozwiązuje zadanie i zapisuje siatkę z rozwiązaniem do PLIKU "
              "(.msh albo .vtu).")},
      {"area", TrNoop("BatchOptions", "POLE"), TrNoop("BatchOptions", "POLE"), false,
       TrNoop("BatchOptions", "Maksymalne pole trójkąta (domyślnie %1).")},
      {"msh-version", TrNoop("BatchOptions", "WERSJA"), "2.2", false,
       TrNoop("BatchOptions", "Wersja formatu MSH: 4.1 (domyślna) albo 2.2.")},
      {"max-triangles", "N", "N", false,
       TrNoop("BatchOptions",
              "Bez okna: duże siatki, do N trójkątów (limit 1 999 trójkątów i 999 węzłów bez tej opcji).")},
      {"adapt", "ETA", "ETA", false,
       TrNoop(
           "BatchOptions",
           "Z --solve: zagęszcza siatkę, aż szacowany błąd względny spadnie do ETA (0.01 to 1 %), w najwyżej "
           "%2 krokach, w limicie trójkątów (--max-triangles).")},
      {"integrate", TrNoop("BatchOptions", "CO"), TrNoop("BatchOptions", "CO"), false,
       TrNoop("BatchOptions",
              "Z --solve, można powtarzać: wypisuje na standardowe wyjście całki rozwiązania po elementach "
              "warunku (condition:N), po materiale (material:M, 0 to własny modelu) albo po całym obszarze "
              "(region), wiersz na wielkość: nazwa wartość jednostka.")},
      {"dxf-tolerance", "T", "T", false,
       TrNoop(
           "BatchOptions",
           "Rysunek DXF: tolerancja cięciw łuków w jednostkach rysunku (domyślnie tysięczna przekątnej).")},
      {"dxf-join", "D", "D", false,
       TrNoop("BatchOptions",
              "Rysunek DXF: odległość łączenia końców w jednostkach rysunku (domyślnie pięciotysięczna "
              "przekątnej; 0 łączy tylko końce, które się spotykają).")},
      {"dxf-scale", "S", "S", false,
       TrNoop(
           "BatchOptions",
           "Rysunek DXF: skala, jednostki modelu na jednostkę rysunku (domyślnie 1; m przelicza na metry z "
           "jednostek rysunku, $INSUNITS).")},
  };
  return options;
}

std::string BatchOptionDescription(const BatchOption& option) {
  return Tr("BatchOptions", option.description).with(AreaText(kOfferedArea, '.'), kAdaptSteps);
}

std::string BatchOptionValue(std::string_view value) {
  return Tr("BatchOptions", std::string(value).c_str());
}

bool AsksForBatchExport(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(), [](const std::string& a) {
    return IsOption(std::string_view(a).substr(0, a.find('=')));
  });
}

std::string BatchExportHelp() {
  // The usage line from the options, broken before 80 columns.
  std::vector<std::string> words = {Tr("BatchOptions", "Bez okna: vendrel")};
  for (const BatchOption& o : BatchOptions()) {
    const std::string word = "--" + std::string(o.name) + " " + BatchOptionValue(o.usageValue);
    if (o.name == "solve") {
      words.back() = "{" + words.back() + " |";  // one of the two
      words.push_back(word + "}");
    } else {
      words.push_back(o.required ? word : "[" + word + "]");
    }
  }
  words.insert(words.end(), {"[--]", Tr("BatchOptions", "{projekt.vdk | rysunek.dxf}")});
  std::string help, line;
  for (const std::string& word : words) {
    if (line.empty()) {
      line = word;
    } else if (line.size() + 1 + word.size() < 80) {
      line += " " + word;
    } else {
      help += line + "\n";
      line = "  " + word;
    }
  }
  return help + line + "\n" +
         Tr("BatchOptions",
            "otwiera projekt, generuje siatkę (domyślne pole trójkąta %1; limit 1 999\n"
            "trójkątów i 999 węzłów, z --max-triangles do N trójkątów) i eksportuje ją\n"
            "w formacie wskazanym przez rozszerzenie PLIKU: m2d, ulx, n2d, msh (Gmsh 4.1\n"
            "albo 2.2), vtu (VTK). Z --solve zamiast --export rozwiązuje też zadanie\n"
            "i zapisuje siatkę z rozwiązaniem (msh 4.1 albo vtu); z --adapt ETA zagęszcza\n"
            "siatkę tam, gdzie szacowany błąd jest największy, i rozwiązuje ponownie, aż\n"
            "szacowany błąd względny spadnie do ETA, skończą się kroki (%2) albo limit\n"
            "trójkątów (--max-triangles, bez tej opcji 1 999). Po -- nazwy plików\n"
            "mogą zaczynać się od -. Rysunek DXF zamiast projektu: kontury z domyślną\n"
            "tolerancją cięciw, kontury zagnieżdżone jako otwory, wszystkie elementy\n"
            "z warunkiem 1; podsumowanie importu na standardowe wyjście błędów;\n"
            "--dxf-tolerance, --dxf-join i --dxf-scale zmieniają cięcie, łączenie i skalę.\n"
            "Kod wyjścia: 0 sukces, 2 błędne argumenty (także pole trójkąta równe 0 po\n"
            "zaokrągleniu do 6 miejsc po przecinku i PLIK, który jest plikiem projektu),\n"
            "3 nie można odczytać projektu albo rysunku DXF,\n"
            "4 generacja siatki nie powiodła się, 5 nie można zapisać pliku (także gdy format\n"
            "m2d, ulx lub n2d nie przyjmuje tak dużej siatki albo siatka jest zdegenerowana),\n"
            "6 zadania nie można rozwiązać (--solve).\n"
            "Z --solve opcja --integrate CO (można powtarzać) wypisuje na standardowe\n"
            "wyjście całki rozwiązania, wiersz na wielkość: nazwa, wartość (z kropką,\n"
            "z pełną dokładnością) i jednostka (- dla żadnej). Nazwa to CO, kropka i klucz:\n"
            "po elementach warunku (condition:N) length, flow (dopływ do obszaru) i mean.T\n"
            "(średnia pola; dla tarczy force_x, force_y, moment względem (0, 0),\n"
            "mean.u_magnitude, mean.ux, mean.uy); po materiale (material:M, 0 to własny\n"
            "modelu) i po całym obszarze (region) area, a dla każdego pola integral.P,\n"
            "mean.P, min.P, max.P (dla tarczy też strain_energy), na przykład\n"
            "condition:2.flow 12.5 W/m albo material:1.mean.T 20.5 °C.")
             .with(AreaText(kOfferedArea, '.'), kAdaptSteps);
}
