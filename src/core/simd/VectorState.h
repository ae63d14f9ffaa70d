#pragma once
// The processor's vector registers as this program's arithmetic needs them.

// Marks the upper halves of the AVX registers unused again (VZEROUPPER),
// where the processor has AVX; elsewhere it does nothing. Qt's hashing, run
// by nearly every Qt call, leaves them in use. While they are, each of the
// legacy SSE instructions that all of this program's double arithmetic and
// number formatting is compiled to (baseline x86-64) waits on them, which
// slows writing a large mesh's values several times over. Long
// computations call this first, on their own thread, with no Qt call after
// it; threads they start inherit the cleared state. Costs a few cycles.
void ClearUpperVectorState();
