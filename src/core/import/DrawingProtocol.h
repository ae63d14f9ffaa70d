#pragma once
// What the DXF reader helper sends back: the drawing read, or the sentence
// that refuses the file. Both sides run on the same machine, so words
// travel in the host's byte order. The program believes nothing of it
// before the decoder has checked every count, index and number.

#include <optional>
#include <string>
#include <string_view>

#include "core/import/Drawing.h"

// The reader's exit status when its memory ran out.
inline constexpr int kReaderOutOfMemory = 7;

// The largest answer a reader may send: a refusal's sentence, or a drawing
// at the most layers and curves with the longest names.
size_t MaxDrawingReplyBytes();

std::string EncodeDrawingReply(const DxfResult& result);

// A drawing with every curve's numbers finite and within kDrawingLimit, on
// a layer it names, within the counts a drawing may have, and its extent
// computed afresh; or a refusal with its sentence. Nothing for anything
// else, down to a byte too many at the end.
std::optional<DxfResult> DecodeDrawingReply(std::string_view bytes);
