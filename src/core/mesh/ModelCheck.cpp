#include "core/mesh/ModelCheck.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>

#include "core/lists/NumberList.h"
#include "core/mesh/ModelCheckParts.h"
#include "core/mesh/PlaneGeometry.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

namespace model_check {

std::string List(std::vector<int32_t> numbers) {
  MakeDistinct(numbers);
  if (numbers.size() > 12) return NumberList(numbers);
  std::string s;
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) s += i + 1 == numbers.size() ? " i " : ", ";
    s += std::to_string(numbers[i]);
  }
  return s;
}

std::string N(int32_t number) {
  return Thousands(number);
}

namespace {

bool MesherBroke(MeshFault f) {
  return f == MeshFault::NotStarted || f == MeshFault::Crashed || f == MeshFault::TimedOut ||
         f == MeshFault::BadReply;
}

}  // namespace

std::vector<Finding> Checker::run() {
  points();
  elements();
  doubleNodes();
  crossings();
  ends();
  contours();
  holes();
  regions();
  tryMesh();
  return ranked();
}

void Checker::tryMesh() {
  if (!trial_ && mesher_ != nullptr && maxArea_ > 0 && m_.elementCount >= 3) {
    trial_ = TryMesh(m_, maxArea_, *mesher_);
  }
  if (!trial_) return;
  const MeshFault fault = trial_->fault;
  if (fault == MeshFault::TooLarge) {
    tooFine();
  } else if (MesherBroke(fault)) {
    std::string why =
        fault == MeshFault::NotStarted
            ? Tr("ModelCheck", "Program generujący siatkę (vendrel-mesher) nie dał się uruchomić.")
        : fault == MeshFault::TimedOut ? Tr("ModelCheck",
                                            "Program generujący siatkę (vendrel-mesher) nie skończył w "
                                            "wyznaczonym czasie i został zatrzymany.")
        : fault == MeshFault::BadReply
            ? Tr("ModelCheck", "Program generujący siatkę (vendrel-mesher) podał niepoprawną odpowiedź.")
            : Tr("ModelCheck", "Program generujący siatkę (vendrel-mesher) zakończył się błędem.");
    add(FindingKind::MesherFailed, {}, {}, {}, std::move(why));
  }
}

void Checker::tooFine() {
  const MeshTrial& t = *trial_;
  const MeshLimits limits = mesher_ != nullptr ? mesher_->limits : MeshLimits{};
  const std::string within =
      limits == MeshLimits{}
          ? Tr("ModelCheck", "%1 trójkątach i %2 węzłach").with(N(limits.triangles), N(limits.points))
          : Tr("ModelCheck", "limicie %1 trójkątów").with(N(limits.triangles));
  const std::string counts =
      t.points > 0 ? Tr("ModelCheck", "trójkątów: %1, węzłów: %2").with(N(t.triangles), N(t.points))
                   : Tr("ModelCheck", "trójkątów: co najmniej %1").with(N(t.triangles));
  std::string text = Tr("ModelCheck", "Przy polu trójkąta %1 siatka nie mieści się w %2 (%3).")
                         .with(AreaText(maxArea_, point_), within, counts);
  const std::optional<FittingArea> fits =
      mesher_ != nullptr ? FindFittingArea(m_, maxArea_, t, *mesher_) : std::nullopt;
  if (fits) {
    text +=
        (limits == MeshLimits{}
             ? Tr("ModelCheck",
                  " Sprawdzono: najmniejsze pole, przy którym siatka się mieści, to %1 (trójkątów: %2, "
                  "węzłów: %3).")
             : Tr("ModelCheck", " Sprawdzono: siatka mieści się przy polu %1 (trójkątów: %2, węzłów: %3)."))
            .with(AreaText(fits->area, point_), N(fits->trial.triangles), N(fits->trial.points));
  } else if (mesher_ != nullptr && !mesher_->wasCancelled()) {
    text += Tr("ModelCheck", " Nie mieści się przy żadnym polu: sam brzeg wymaga więcej trójkątów.");
  }
  add(FindingKind::TooFine, {}, {}, {}, text);
  if (fits) out_[size_t(FindingKind::TooFine)].back().area = fits->area;
}

std::vector<Finding> Checker::ranked() {
  const bool blocked = !trial_ || trial_->fault == MeshFault::NoTriangles;
  const auto has = [&](FindingKind k) { return !out_[size_t(k)].empty(); };
  const bool explained =
      has(FindingKind::OpenEnd) || has(FindingKind::HoleInRegion) || has(FindingKind::HoleOnElement);
  std::vector<Finding> errors, notes;
  for (std::vector<Finding>& kind : out_) {
    for (Finding& f : kind) {
      bool error = false;
      switch (f.kind) {
        case FindingKind::NotFinite:
        case FindingKind::MissingNode:
        case FindingKind::FewPoints:
        case FindingKind::TooFine:
        case FindingKind::MesherFailed: error = true; break;
        case FindingKind::OpenEnd:
        case FindingKind::HoleInRegion:
        case FindingKind::HoleOnElement: error = blocked; break;
        case FindingKind::Crossing: error = blocked && !explained; break;
        default: break;
      }
      f.severity = error ? Severity::Error : Severity::Note;
      (error ? errors : notes).push_back(std::move(f));
    }
  }
  std::move(notes.begin(), notes.end(), std::back_inserter(errors));
  return errors;
}

}  // namespace model_check

std::vector<Finding> CheckModel(const Model& model, double maxArea, char decimalPoint,
                                const MesherOptions* mesher, const MeshTrial* seen) {
  return model_check::Checker(model, maxArea, decimalPoint, mesher, seen).run();
}
