#include <charconv>

#include "core/batch/BatchRequest.h"
#include "core/integrals/Integrals.h"
#include "core/results/Solution.h"
#include "core/text/Tr.h"

std::string MissingTarget(const IntegrationTarget& t, const Model& m) {
  if (t.kind == IntegrationTarget::Condition) {
    bool named = false;
    for (int32_t e = 1; e <= m.elementCount && !named; ++e) named = m.ElementTable[e].bcNumber == t.number;
    if (t.number > m.bcCount || !named) {
      return Tr("BatchIntegrals",
                "Warunku nr %1 nie ma w projekcie albo nie wskazuje go żaden element (--integrate %2)")
          .with(t.number, t.name);
    }
  } else if (t.kind == IntegrationTarget::Material && t.number > m.materialCount) {
    return Tr("BatchIntegrals", "Materiału nr %1 nie ma w projekcie (--integrate %2)").with(t.number, t.name);
  }
  return {};
}

void PrintIntegrals(const IntegrationTarget& t, const Solution& s, std::ostream& out) {
  const auto print = [&](const std::vector<IntegralLine>& lines) {
    for (const IntegralLine& line : lines) {
      char text[40];
      const double v = line.value == 0.0 ? 0.0 : line.value;  // no "-0"
      const auto end = std::to_chars(text, text + sizeof text, v).ptr;
      out << t.name << '.' << line.key << ' ' << std::string_view(text, size_t(end - text)) << ' '
          << AsciiUnit(line.unit) << '\n';
    }
  };
  if (t.kind == IntegrationTarget::Condition) {
    print(EdgeLines(s, IntegrateEdges(s, ElementsOfCondition(s, t.number))));
    return;
  }
  const int32_t material = t.kind == IntegrationTarget::Region ? kWholeRegion : t.number;
  const std::vector<FieldKind> fields = FieldChoices(s.result.disc);
  for (size_t i = 0; i < fields.size(); ++i) {
    const FieldValues f = ComputeField(s, fields[i]);
    // The area first, the strain energy last.
    print(AreaLines(s, f, IntegrateArea(s, f, material), i == 0, i + 1 == fields.size()));
  }
}
