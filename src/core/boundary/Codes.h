#pragma once
// Codes of problem families, boundary kinds and condition kinds.

#include <cstdint>
#include <string_view>

inline constexpr int32_t kBoundaryOuter = 1;
inline constexpr int32_t kBoundaryInner = 2;

// Every kind below 10 is a potential problem (heat, electric, magnetic).
bool IsPotentialFamily(int32_t problemKind);
// Exactly 10 is the plane-stress disc; any other value is neither family.
bool IsDiscFamily(int32_t problemKind);

// "zewnętrzny" for 1, "wewnętrzny" for 2, empty for anything else.
std::string_view BoundaryKindWord(int32_t kind);

// The word of a condition kind within the family chosen by the problem kind;
// empty when that family has no such code. The code is compared exactly.
std::string_view ConditionKindWord(int32_t problemKind, float code);
