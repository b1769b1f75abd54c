#pragma once

#include <QApplication>

namespace korvessa {

// The desktop application: names itself for the settings, fixes the look
// (fonts for Traditional Chinese) and the date format of the whole run.
class KorvessaApplication : public QApplication {
    Q_OBJECT

public:
    KorvessaApplication(int& argc, char** argv);
};

} // namespace korvessa
