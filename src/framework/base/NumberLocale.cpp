// The numeric conventions of installed locales, read without touching the process's own
// locale (which stays "C" for every other conversion).
#include <langinfo.h>
#include <locale.h>
#include <clocale>

#include "NumberPicture.h"

std::optional<TNumberSeparators> LocaleNumberSeparators(const char* localeName) {
  const locale_t locale = newlocale(LC_NUMERIC_MASK, localeName, static_cast<locale_t>(nullptr));
  if (!locale) return std::nullopt;
  TNumberSeparators separators{nl_langinfo_l(RADIXCHAR, locale), nl_langinfo_l(THOUSEP, locale)};
  freelocale(locale);
  if (separators.Decimal.empty()) separators.Decimal = ".";
  return separators;
}

const TNumberSeparators& UserNumberSeparators() {
  static const TNumberSeparators separators = LocaleNumberSeparators("").value_or(TNumberSeparators{});
  return separators;
}
