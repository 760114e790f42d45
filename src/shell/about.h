#pragma once

#include <QDialog>

#include <string>

class TMessageBundle;

// The version of this build and the day it was released, as the about box shows them.
inline constexpr const char* TONARIA_VERSION = "0.1";
inline constexpr const char* TONARIA_RELEASE_DATE = "9 Dec 2026";

// "Version 0.1, 9 Dec 2026".
std::string versionLine();

// The about box: the product name, the version line and "Ok".
class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(const TMessageBundle& bundle, QWidget* parent = nullptr);
};
