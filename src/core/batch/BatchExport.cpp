#include "core/batch/BatchExport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <optional>

#include "core/files/ExportFile.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/mesh/ModelCheck.h"

namespace {

// Every option of the window-less run; each takes a value.
constexpr std::string_view kOptions[] = {"--export", "--area", "--msh-version", "--max-triangles"};

// The area the window offers when it asks for one.
constexpr double kOfferedArea = 10.0;

struct Request {
  std::string out;
  std::string project;
  double area = kOfferedArea;
  bool msh22 = false;
  int32_t maxTriangles = 0;  // the large limit, when given
};

// The three solver layouts by their extensions, in any case.
std::optional<ExportLayout> LayoutByExtension(std::string_view name) {
  if (HasExtension(name, ".m2d")) return ExportLayout::M2d;
  if (HasExtension(name, ".ulx")) return ExportLayout::Ulx;
  if (HasExtension(name, ".n2d")) return ExportLayout::N2d;
  return std::nullopt;
}

// A positive area, with a decimal point or a comma.
std::optional<double> ParseArea(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || !(value > 0.0)) {
    return std::nullopt;
  }
  return value;
}

// The request, or the reason it is none.
std::optional<Request> Parse(const std::vector<std::string>& args, std::string& why) {
  Request r;
  bool haveOut = false;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i], value;
    const bool option = name.rfind("--", 0) == 0 && name.size() > 2;
    const size_t equals = name.find('=');
    bool inlineValue = false;
    if (option && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
      inlineValue = true;
    }
    if (!option) {
      positional.push_back(name);
      continue;
    }
    if (std::find(std::begin(kOptions), std::end(kOptions), name) == std::end(kOptions)) {
      why = "Nieznana opcja " + name;
      return std::nullopt;
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) {
        why = "Brak wartości opcji " + name;
        return std::nullopt;
      }
      value = args[++i];
    }
    if (name == "--export") {
      r.out = value;
      haveOut = !value.empty();
    } else if (name == "--area") {
      const std::optional<double> area = ParseArea(value);
      if (!area) {
        why = "Pole trójkąta musi być liczbą dodatnią: " + value;
        return std::nullopt;
      }
      r.area = *area;
    } else if (name == "--max-triangles") {
      int32_t n = 0;
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
      if (ec != std::errc() || end != value.data() + value.size() || n < 1 || n > kLargestMeshTriangles) {
        why = "Największa liczba trójkątów to liczba całkowita od 1 do " +
              std::to_string(kLargestMeshTriangles) + ": " + value;
        return std::nullopt;
      }
      r.maxTriangles = n;
    } else if (value == "2.2" || value == "4.1") {
      r.msh22 = value == "2.2";
    } else {
      why = "Wersja formatu MSH to 4.1 albo 2.2, a nie " + value;
      return std::nullopt;
    }
  }
  if (!haveOut) {
    why = "Brak nazwy pliku wynikowego (--export PLIK)";
    return std::nullopt;
  }
  if (positional.size() != 1) {
    why = positional.empty() ? "Brak pliku projektu" : "Podaj jeden plik projektu";
    return std::nullopt;
  }
  r.project = positional.front();
  if (!OpenFormatForName(r.out) && !LayoutByExtension(r.out)) {
    why = "Nieznany format pliku " + r.out + " (m2d, ulx, n2d, msh, vtu)";
    return std::nullopt;
  }
  if (r.msh22 && OpenFormatForName(r.out) != OpenFormat::Msh41) {
    why = "Opcja --msh-version dotyczy tylko plików .msh";
    return std::nullopt;
  }
  return r;
}

void ListFindings(const Model& model, double area, const MesherOptions& mesher, const MeshTrial* trial,
                  std::ostream& messages) {
  std::vector<std::string> errors;
  for (const Finding& f : CheckModel(model, area, '.', &mesher, trial)) {
    if (f.severity == Severity::Error) errors.push_back(f.text);
  }
  if (errors.empty()) {
    messages << "Sprawdzenie modelu nie znalazło znanej sobie przyczyny.\n";
    return;
  }
  messages << "Możliwe przyczyny:\n";
  for (const std::string& e : errors) messages << e << '\n';
}

}  // namespace

bool AsksForBatchExport(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(), [](const std::string& a) {
    for (std::string_view option : kOptions) {
      if (a == option || a.rfind(std::string(option) + "=", 0) == 0) return true;
    }
    return false;
  });
}

std::string BatchExportHelp() {
  return "Bez okna: vendrel --export PLIK [--area POLE] [--msh-version 2.2]\n"
         "  [--max-triangles N] projekt.vdk\n"
         "otwiera projekt, generuje siatkę (domyślne pole trójkąta 10; limit 1999\n"
         "trójkątów i 999 węzłów, z --max-triangles do N trójkątów) i eksportuje ją\n"
         "w formacie wskazanym przez rozszerzenie PLIKU: m2d, ulx, n2d, msh (Gmsh 4.1\n"
         "albo 2.2), vtu (VTK).\n"
         "Kod wyjścia: 0 sukces, 2 błędne argumenty, 3 nie można odczytać projektu,\n"
         "4 generacja siatki nie powiodła się, 5 nie można zapisać pliku (także gdy format\n"
         "m2d, ulx lub n2d nie przyjmuje tak dużej siatki).";
}

int RunBatchExport(const std::vector<std::string>& args, const MesherOptions& options,
                   std::ostream& messages) {
  std::string why;
  const std::optional<Request> r = Parse(args, why);
  if (!r) {
    messages << why << "\n\n" << BatchExportHelp() << '\n';
    return kBatchBadArguments;
  }
  MesherOptions mesher = options;
  if (r->maxTriangles > 0) mesher.limits = LargeMeshLimits(r->maxTriangles);
  auto model = std::make_unique<Model>();
  InitModelData(*model);
  const FileResult loaded = LoadProjectFile(r->project, *model);
  if (!loaded.ok) {
    messages << r->project << ": " << loaded.message << '\n';
    return kBatchUnreadableProject;
  }
  if (model->elementCount < 3) {
    messages << "Generacja siatki nie powiodła się\n";
    ListFindings(*model, r->area, mesher, nullptr, messages);
    return kBatchMeshFailed;
  }
  MeshTrial trial;
  const MeshOutcome outcome = GenerateMesh(*model, r->area, mesher, &trial);
  if (outcome != MeshOutcome::Success) {
    const bool large = r->maxTriangles > 0 && outcome == MeshOutcome::Overflow;
    if (large) {
      messages << OverLimitText(trial, mesher.limits) << '\n';
    } else if (outcome == MeshOutcome::Overflow) {
      messages << "Zbyt duża liczba elementów lub węzłów\n";
    }
    messages << "Generacja siatki nie powiodła się\n";
    // Past the large limit the area search would mesh that many triangles
    // a dozen times; the count says enough.
    if (!large) ListFindings(*model, r->area, mesher, &trial, messages);
    return kBatchMeshFailed;
  }
  const std::optional<OpenFormat> open = OpenFormatForName(r->out, r->msh22);
  // A mesh past the layouts' limits is refused by the layout's writer.
  const FileResult written = open ? WriteOpenExport(*model, *open, r->out)
                                  : WriteExportFile(*model, *LayoutByExtension(r->out), r->out);
  if (!written.ok) {
    messages << r->out << ": " << written.message << '\n';
    return kBatchExportFailed;
  }
  messages << "Plik wyeksportowano poprawnie: " << r->out << " (" << model->meshTriangleCount
           << " trójkątów, " << model->meshNodeCount << " węzłów)\n";
  if (const std::string note = open ? DanglingElementsNote(*model) : ""; !note.empty())
    messages << note << '\n';
  return kBatchDone;
}
