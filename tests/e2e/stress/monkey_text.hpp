#pragma once
// Random texts for the input box: numbers in every form the game reads, and the characters that
// break careless text handling (lone surrogates, control characters, emoji, direction marks, and
// the kanji and katakana whose Shift-JIS second byte is a backslash).
#include <cstddef>
#include <random>
#include <string>

namespace stress {

// Which of the two troublesome kinds of characters a text may hold. Wine 8's edit control (its
// Uniscribe code) corrupts its own heap on long texts that mix surrogates (lone or paired, emoji)
// with direction marks and overrides, and the program then dies inside the system's code; so under
// Wine one text holds one kind or the other, never both. Mixed is for Windows.
enum class TextKinds { SurrogatesAndEmoji, DirectionMarks, Mixed };

// A text of at most maxUnits UTF-16 code units, built from random pieces; never holds NUL. Numbers,
// control characters, the Shift-JIS backslash characters and other characters come in every kind.
std::wstring RandomText(std::mt19937& random, std::size_t maxUnits, TextKinds kinds);

// A guess as a player might type it: a whole number (in or out of 1 to 10), a half, a full-width
// number, or a number with spaces or signs around it.
std::wstring RandomGuess(std::mt19937& random);

}  // namespace stress
