#pragma once

#include "model/CommonWords.h"

// The 20,000 most common words of the frequency lists the shipped vocabulary
// is built from, compiled into the program at build time. Empty when the
// lists were missing then.
const CommonWords& ShippedCommonWords();
