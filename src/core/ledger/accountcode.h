#pragma once

#include <QString>

namespace korvessa {

// The shape of an account code: 4 digits for a general account, 7 for a
// detail account under the general account of its first four digits. The
// first digit is the major category, the first two the sub-category. Codes
// are stored as bare digits; the dash of "9999-999" is only shown.
namespace accountcode {

inline constexpr int kGeneralLength = 4;
inline constexpr int kDetailLength = 7;

// The input mask of every code field: digits, the dash shown but not kept.
inline constexpr auto kInputMask = "0000-000;_";

// Exactly 4 or 7 digits.
bool hasValidLength(const QString& code);
bool isDetail(const QString& code);

// acct_1, acct_2, acct_3: the major category, the sub-category and the
// general account of `code`.
QString major(const QString& code);
QString subCategory(const QString& code);
QString general(const QString& code);

// "1101001" → "1101-001"; a general code stays as it is.
QString display(const QString& code);
// The digits of a typed or shown code ("1101-001", "1101-___" → "1101001", "1101").
QString fromDisplay(const QString& text);

// The code a tree node stands for, read from its text: the text up to the
// first blank, a trailing point dropped ("11. 流動資產" → "11"), and the
// dash of a detail account removed ("1101-001 零用金" → "1101001").
// Empty for a text that names no code (the root "科目類別").
QString fromNodeText(const QString& text);

} // namespace accountcode
} // namespace korvessa
