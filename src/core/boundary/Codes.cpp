#include "core/boundary/Codes.h"

bool IsPotentialFamily(int32_t problemKind) {
  return problemKind < 10;
}

bool IsDiscFamily(int32_t problemKind) {
  return problemKind == 10;
}

std::string_view BoundaryKindWord(int32_t kind) {
  switch (kind) {
    case kBoundaryOuter: return "zewnętrzny";
    case kBoundaryInner: return "wewnętrzny";
    default: return {};
  }
}

std::string_view ConditionKindWord(int32_t problemKind, float code) {
  if (IsPotentialFamily(problemKind)) {
    if (code == 1.0f) return "temperatura";
    if (code == 2.0f) return "strumień";
    if (code == 3.0f) return "konwekcja";
  } else if (IsDiscFamily(problemKind)) {
    if (code == 1.0f) return "obciążenie ciągłe";
    if (code == 2.0f) return "przemieszczenie";
    if (code == kDiscRoller) return "podpora przesuwna";
  }
  return {};
}

int32_t RollerComponent(float value1) {
  return value1 == 1.0f ? 0 : value1 == 2.0f ? 1 : -1;
}
