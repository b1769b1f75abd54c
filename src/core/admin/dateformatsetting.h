#pragma once

#include <QString>

namespace korvessa {

// The program's own short-date setting, kept with the login values
// (QSettings "vaduvoza" / "zedodo", key "dateFormat").
inline constexpr auto kDateFormatKey = "dateFormat";

// Sets the short-date format to "yyyy/MM/dd".
void fixDateFormatSetting();

QString dateFormatSetting();

} // namespace korvessa
