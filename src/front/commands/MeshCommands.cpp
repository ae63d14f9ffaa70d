#include "front/commands/MeshCommands.h"

#include <QCoreApplication>

#include "core/mesh/ModelCheck.h"
#include "front/commands/CommandContext.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"

namespace {

const QString kMeshTitle = QStringLiteral("Generacja siatki");

}  // namespace

MeshCommands::MeshCommands(CommandContext& context) : c_(context) {
  mesher_.helperPath = DefaultMesherPath();
  // Keep the window painted while the helper works, but take no input.
  mesher_.whileWaiting = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
}

void MeshCommands::generateMesh() {
  const std::optional<QString> text =
      c_.prompter.input(kMeshTitle, QStringLiteral("Podaj maksymalne pole trójkąta :"), GeneralText(10));
  if (!text) return;
  const std::optional<double> area = ParseNumber(*text);
  if (!area || !(*area > 0.0)) return;
  lastArea_ = *area;
  if (c_.state.model.elementCount < 3) return;
  c_.nameStep(QStringLiteral("generacja siatki"));
  const MeshOutcome outcome =
      c_.whileGenerating([&] { return GenerateMesh(c_.state.model, *area, mesher_); });
  if (outcome == MeshOutcome::Overflow) {
    c_.prompter.message(QStringLiteral("Zbyt duża liczba elementów lub węzłów"), kMeshTitle,
                        MessageIcon::Stop);
  }
  if (outcome == MeshOutcome::Success) {
    c_.prompter.message(QStringLiteral("Generacja siatki powiodła się"), kMeshTitle,
                        MessageIcon::Exclamation);
  } else {
    c_.prompter.message(QStringLiteral("Generacja siatki nie powiodła się"), kMeshTitle, MessageIcon::Stop);
    const std::vector<Finding> findings = CheckModel(c_.state.model, *area, UserDecimalPoint());
    if (!c_.showFindings(findings, kMeshTitle, QStringLiteral("Możliwe przyczyny:"))) {
      c_.prompter.message(QStringLiteral("Sprawdzenie modelu nie znalazło znanej sobie przyczyny."),
                          kMeshTitle, MessageIcon::None);
    }
  }
  emit c_.repaintRequested();
  c_.showHeldGridMessage();
}

void MeshCommands::checkModel() {
  const QString title = QStringLiteral("Sprawdź model");
  if (!c_.showFindings(CheckModel(c_.state.model, lastArea_, UserDecimalPoint()), title,
                       QStringLiteral("Znalezione błędy:"))) {
    c_.prompter.message(QStringLiteral("Nie znaleziono błędów"), title, MessageIcon::None);
  }
  emit c_.repaintRequested();
}
