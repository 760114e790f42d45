#pragma once

#include <QString>
#include <QUrl>

#include <array>
#include <filesystem>

// Folders of the application folder that hold the pages of the guided help.
inline constexpr const char* STEP_BY_STEP_FOLDER = "stepbystep";
inline constexpr const char* THEORY_FOLDER = "theoryhelp";
inline constexpr const char* STEP_EXAMPLE_FILE = "step8.tnr";
inline constexpr const char* THEORY_PAGE = "theory.html";

// One step of the step-by-step help: the page, the node of the period view to scroll to, the
// chooser whose panel opens, and the motive cell that panel develops (-1: none, the panel is
// only selected).
struct THelpStep {
    const char* page;
    int node;
    int chooser;
    int sourceCell;
};

inline constexpr int STEP_COUNT = 8;

// Step k talks about motive k of the example, which lies in phrase k / 2 and sentence k / 4.
inline constexpr std::array<THelpStep, STEP_COUNT> HELP_STEPS{{
    {"step1.html", 2, 0, -1},
    {"step2.html", 4, 1, -1},
    {"step3.html", 5, 9, 2},
    {"step4.html", 7, 0, -1},
    {"step5.html", 8, 15, 4},
    {"step6.html", 11, 7, 5},
    {"step7.html", 12, 7, 6},
    {"step8.html", 14, 0, -1},
}};

// A file of a help folder in the application folder.
QString helpFile(const std::filesystem::path& applicationFolder, const char* folder,
                 const QString& name);
QUrl helpPageUrl(const std::filesystem::path& applicationFolder, const char* folder,
                 const QString& page);
