#pragma once
// Codes of problem families, boundary kinds and condition kinds.

#include <cstdint>
#include <string_view>

inline constexpr int32_t kBoundaryOuter = 1;
inline constexpr int32_t kBoundaryInner = 2;

// The one definition of the problem families, which the dialogs, the
// exports' names and the solver all read: every kind below 10 is a
// potential problem (heat, electric, magnetic, and any other code, solved
// as -div(k grad u) = f), exactly 10 the plane-stress disc, and any other
// value neither (refused by the solver, its conditions shown by code).
bool IsPotentialFamily(int32_t problemKind);
bool IsDiscFamily(int32_t problemKind);

// "zewnętrzny" for 1, "wewnętrzny" for 2, empty for anything else.
std::string_view BoundaryKindWord(int32_t kind);

// The word of a condition kind within the family chosen by the problem kind;
// empty when that family has no such code, which the solver then refuses.
// The code is compared exactly.
std::string_view ConditionKindWord(int32_t problemKind, float code);
