#include "core/boundary/Codes.h"

#include "core/text/Tr.h"

bool IsPotentialFamily(int32_t problemKind) {
  return problemKind < 10;
}

bool IsDiscFamily(int32_t problemKind) {
  return problemKind == 10;
}

std::string_view BoundaryKindWord(int32_t kind) {
  switch (kind) {
    case kBoundaryOuter: return TrNoop("Codes", "zewnętrzny");
    case kBoundaryInner: return TrNoop("Codes", "wewnętrzny");
    default: return {};
  }
}

std::string_view ConditionKindWord(int32_t problemKind, float code) {
  if (IsPotentialFamily(problemKind)) {
    if (code == 1.0f) return TrNoop("Codes", "temperatura");
    if (code == 2.0f) return TrNoop("Codes", "strumień");
    if (code == 3.0f) return TrNoop("Codes", "konwekcja");
  } else if (IsDiscFamily(problemKind)) {
    if (code == 1.0f) return TrNoop("Codes", "obciążenie ciągłe");
    if (code == 2.0f) return TrNoop("Codes", "przemieszczenie");
    if (code == kDiscRoller) return TrNoop("Codes", "podpora przesuwna");
  }
  return {};
}

std::string ShownBoundaryKindWord(int32_t kind) {
  const std::string_view word = BoundaryKindWord(kind);
  return word.empty() ? std::string() : std::string(Tr("Codes", word.data()));
}

std::string ShownConditionKindWord(int32_t problemKind, float code) {
  const std::string_view word = ConditionKindWord(problemKind, code);
  return word.empty() ? std::string() : std::string(Tr("Codes", word.data()));
}

int32_t RollerComponent(float value1) {
  return value1 == 1.0f ? 0 : value1 == 2.0f ? 1 : -1;
}
