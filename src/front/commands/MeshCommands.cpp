#include "front/commands/MeshCommands.h"

#include "core/mesh/GenerationReport.h"
#include "front/commands/CommandContext.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

namespace {

QString MeshTitle() {
  return Ui("MeshCommands", "Generacja siatki");
}

std::vector<const Finding*> Group(const std::vector<Finding>& findings, Severity severity) {
  std::vector<const Finding*> group;
  for (const Finding& f : findings) {
    if (f.severity == severity) group.push_back(&f);
  }
  return group;
}

// The findings a line each, the first six of them.
QString Lines(const std::vector<const Finding*>& findings) {
  constexpr size_t kListed = 6;
  QString text;
  for (size_t i = 0; i < findings.size() && i < kListed; ++i) {
    text += u'\n' + QString::fromStdString(findings[i]->text);
  }
  if (findings.size() > kListed)
    text += Ui("MeshCommands", "\n… i %1 innych.").arg(findings.size() - kListed);
  return text;
}

}  // namespace

MeshCommands::MeshCommands(CommandContext& context)
    : c_(context),
      limitDialog_([this] { return std::make_shared<MeshLimitDialog>(limit_, c_.prompter); }),
      statisticsWindow_([this] { return std::make_shared<MeshStatisticsWindow>(c_.state, c_.prompter); }) {
  mesher_.helperPath = DefaultMesherPath();
}

MeshCommands::~MeshCommands() = default;

void MeshCommands::chooseLimit() {
  if (c_.prompter.showDialog(*limitDialog_) == QDialog::Accepted) applyLimit();
}

void MeshCommands::showStatistics() {
  if (c_.noMesh(Ui("MeshCommands", "Statystyka siatki"))) return;
  c_.prompter.showDialog(*statisticsWindow_);
}

void MeshCommands::applyLimit() {
  mesher_.limits = limit_.large ? LargeMeshLimits(limit_.triangles) : MeshLimits{};
  emit c_.meshLimitChanged(ShortLimitText(limit_));
}

void MeshCommands::generateMesh() {
  const QString prompt =
      limit_.large ? Ui("MeshCommands", "Podaj maksymalne pole trójkąta :\n(%1)").arg(LimitText(limit_))
                   : Ui("MeshCommands", "Podaj maksymalne pole trójkąta :");
  const std::optional<QString> text = c_.prompter.input(MeshTitle(), prompt, GeneralText(kOfferedArea));
  if (!text) return;
  const std::optional<double> area = ParseTypedNumber(*text);
  if (!area || !(*area > 0.0)) return;
  lastArea_ = *area;
  if (c_.state.model.elementCount < 3) return;
  c_.nameStep(Ui("MeshCommands", "generacja siatki"));
  std::unique_ptr<Progress> progress =
      c_.prompter.progress(MeshTitle(), Ui("MeshCommands", "Trwa generacja siatki…"));
  const GenerationReport report = c_.whileBusy([&] {
    return RunGeneration(c_.state.model, *area, c_.watched(mesher_, *progress), UserDecimalPoint());
  });
  // Closed before anything else shows, so no click meant for it lands
  // there. A cancel up to the report's end made it a cancelled one.
  progress.reset();
  if (report.outcome == MeshOutcome::Cancelled) return;  // nothing changed, nothing to say
  for (const ReportLine& line : report.lines) {
    QString text = QString::fromStdString(line.text);
    if (report.outcome == MeshOutcome::Overflow && limit_.large && line.kind == ReportLine::Kind::Refusal) {
      text += report.suggestedArea
                  ? Ui("MeshCommands", "\nZwiększ pole trójkąta (na przykład do %1) albo limit siatki.")
                        .arg(QString::fromStdString(AreaText(*report.suggestedArea, UserDecimalPoint())))
                  : Ui("MeshCommands", "\nZwiększ pole trójkąta albo limit siatki.");
    }
    c_.prompter.message(
        text, MeshTitle(),
        line.kind == ReportLine::Kind::Success ? MessageIcon::Exclamation : MessageIcon::Stop);
  }
  std::vector<const Finding*> causes;
  for (const Finding& f : report.causes) causes.push_back(&f);
  c_.pointOut(causes);
  if (report.checked) {
    if (causes.empty()) {
      c_.prompter.message(Ui("MeshCommands", "Sprawdzenie modelu nie znalazło znanej sobie przyczyny."),
                          MeshTitle(), MessageIcon::None);
    } else {
      c_.prompter.message(Ui("MeshCommands", "Możliwe przyczyny:") + Lines(causes), MeshTitle(),
                          MessageIcon::Exclamation);
    }
  }
  emit c_.repaintRequested();
  c_.showHeldGridMessage();
}

void MeshCommands::checkModel() {
  const QString title = Ui("MeshCommands", "Sprawdź model");
  std::unique_ptr<Progress> progress =
      c_.prompter.progress(title, Ui("MeshCommands", "Trwa sprawdzanie modelu…"));
  const MesherOptions options = c_.watched(mesher_, *progress);
  const std::vector<Finding> findings =
      c_.whileBusy([&] { return CheckModel(c_.state.model, lastArea_, UserDecimalPoint(), &options); });
  const bool cancelled = c_.cancelledAtEnd(*progress);
  progress.reset();
  if (cancelled) return;
  const std::vector<const Finding*> errors = Group(findings, Severity::Error);
  const std::vector<const Finding*> notes = Group(findings, Severity::Note);
  std::vector<const Finding*> listed = errors;
  listed.insert(listed.end(), notes.begin(), notes.end());
  c_.pointOut(listed);
  const QString noteLines =
      Ui("MeshCommands", "Uwagi (nie przeszkadzają w generacji siatki):") + Lines(notes);
  if (!errors.empty()) {
    c_.prompter.message(Ui("MeshCommands", "Znalezione błędy:") + Lines(errors) +
                            (notes.empty() ? QString() : QStringLiteral("\n\n") + noteLines),
                        title, MessageIcon::Exclamation);
  } else if (!notes.empty()) {
    c_.prompter.message(
        Ui("MeshCommands", "Nie znaleziono błędów, które przeszkodziłyby w generacji siatki.\n\n") +
            noteLines,
        title, MessageIcon::None);
  } else {
    c_.prompter.message(Ui("MeshCommands", "Nie znaleziono błędów"), title, MessageIcon::None);
  }
  emit c_.repaintRequested();
}
