// Windows-1252 texts: capitals and the conversions at the program's edges.
#include "base/Cp1252.h"
#include "base/WabolexError.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252Test, CapitalsIncludeUmlautsAndTheHighLetters) {
    EXPECT_EQ(Cp1252::ToUpper(W("äöüéàçñøåæþ")), W("ÄÖÜÉÀÇÑØÅÆÞ"));
    EXPECT_EQ(Cp1252::ToUpper(W("šœžÿ")), W("ŠŒŽŸ"));
    EXPECT_EQ(Cp1252::ToUpper(W("ß µ ÷ 1-z")), W("ß µ ÷ 1-Z"));
    EXPECT_EQ(Cp1252::ToUtf8(W("Lösungswort")), "Lösungswort");
}

TEST(Cp1252Test, EveryDefinedByteSurvivesTheWayToUtf8AndBack) {
    std::string all;
    for (int c = 1; c < 256; ++c) {
        if (Cp1252::ToUnicode(static_cast<unsigned char>(c)) != 0xFFFD) {
            all += static_cast<char>(c);
        }
    }
    EXPECT_EQ(all.size(), 255u - 5u); // the five undefined codes
    EXPECT_EQ(Cp1252::FromUtf8(Cp1252::ToUtf8(all)), all);
    EXPECT_EQ(Cp1252::FirstWithoutForm(Cp1252::ToUtf8(all)), 0u);
}

TEST(Cp1252Test, WhatHasNoFormIsNamedAndBecomesAQuestionMark) {
    EXPECT_EQ(Cp1252::FromUtf8("a日b"), "a?b");
    EXPECT_EQ(Cp1252::FirstWithoutForm("a日b"), U'日');
    EXPECT_EQ(Cp1252::CodePointName(U'日'), "U+65E5");
    // Broken UTF-8, also a sequence cut off at the end.
    EXPECT_EQ(Cp1252::FromUtf8("a\xff" "b\xc3"), "a?b?");
    EXPECT_EQ(Cp1252::FirstWithoutForm("ok\xc3"), 0xFFFDu);
    EXPECT_EQ(Cp1252::ToUtf8("\x81"), "\xEF\xBF\xBD"); // undefined code: U+FFFD
}

TEST(WabolexErrorTest, CarriesItsWindows1252MessageUnchanged) {
    try {
        throw WabolexError(W("Die Datei Bär.db existiert NICHT!"));
    } catch (const std::exception& e) {
        EXPECT_EQ(Cp1252::ToUtf8(e.what()), "Die Datei Bär.db existiert NICHT!");
    }
}

} // namespace
