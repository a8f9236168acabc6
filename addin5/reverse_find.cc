#include "addin5/reverse_find.h"

#include "engine/basic_text.h"

namespace tandrel::addin5 {

std::int32_t ReverseFind(std::u16string_view sCheck, std::u16string_view sMatch, std::int64_t start) {
  if (sMatch.empty()) return start <= engine::Len(sCheck) ? static_cast<std::int32_t>(start) : 0;
  if (start <= 0) start = engine::Len(sCheck);
  // Walking the occurrences forward and keeping the last one that ends in time finds the same occurrence as
  // searching back from `start`, which does not rescan the line at every call.
  return engine::LastEndingBy(sCheck, sMatch, start);
}

}  // namespace tandrel::addin5
