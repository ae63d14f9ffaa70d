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
  }
  return {};
}
