#include "core/text/Tr.h"

#include <atomic>

namespace {

std::atomic<Translator> gTranslator{nullptr};

}  // namespace

void InstallTranslator(Translator translator) {
  gTranslator.store(translator, std::memory_order_release);
}

Text Tr(const char* context, const char* source) {
  const Translator translate = gTranslator.load(std::memory_order_acquire);
  return Text(translate != nullptr ? translate(context, source) : std::string(source));
}

std::string Text::Substitute(std::string_view text, std::initializer_list<TextArg> args) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const size_t n = size_t(text[i + 1] - '1');
      if (n < args.size()) {
        out += args.begin()[n].text();
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}
