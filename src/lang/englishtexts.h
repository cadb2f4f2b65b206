#pragma once
// The built-in English texts, indexed from 0 for text 1.

#include <array>

#include "lang/language.h"

extern const std::array<const char*, TZLanguage::kTextCount> kEnglishTexts;
