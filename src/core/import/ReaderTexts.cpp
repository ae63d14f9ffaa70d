#include "core/import/ReaderTexts.h"

#include <algorithm>

namespace {

constexpr const char* kAll[] = {
    reader_text::kNonFinite,       reader_text::kBinary,          reader_text::kNotText,
    reader_text::kNoEof,           reader_text::kLastCodeAlone,   reader_text::kBadCode,
    reader_text::kBadNumber,       reader_text::kBadInteger,      reader_text::kCountPastEnd,
    reader_text::kUnendedPolyline, reader_text::kMissingCode,     reader_text::kVertexCount,
    reader_text::kTooManyCurves,   reader_text::kTooManyVertices, reader_text::kTooManyLayers,
    reader_text::kPlacedTooFar,    reader_text::kNothingTaken,    reader_text::kNothingTakenSkipped,
    reader_text::kCannotOpen,      reader_text::kTooLarge,
};

}  // namespace

std::string ReaderSentence::text() const {
  if (source == nullptr) return {};
  const Text t = Tr("ReaderTexts", source);
  const std::vector<std::string>& a = args;
  switch (a.size()) {
    case 0: return t;
    case 1: return t.with(a[0]);
    case 2: return t.with(a[0], a[1]);
    case 3: return t.with(a[0], a[1], a[2]);
    case 4: return t.with(a[0], a[1], a[2], a[3]);
    default: return t.with(a[0], a[1], a[2], a[3], a[4]);
  }
}

const char* KnownReaderText(std::string_view source) {
  for (const char* text : kAll) {
    if (source == text) return text;
  }
  return nullptr;
}

size_t ReaderTextArgs(std::string_view source) {
  size_t most = 0;
  for (size_t i = 0; i + 1 < source.size(); ++i) {
    if (source[i] == '%' && source[i + 1] >= '1' && source[i + 1] <= '9')
      most = std::max(most, size_t(source[i + 1] - '0'));
  }
  return most;
}
