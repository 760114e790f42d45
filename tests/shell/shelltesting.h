#pragma once

#include "shell/userdialogsinterface.h"

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

// Answers the shell's questions from a script and records what was shown, so that no dialog
// blocks a test. An empty script cancels every dialog.
class TScriptedDialogs : public TUserDialogsInterface {
public:
    struct TShown {
        std::string text;
        std::string caption;
    };

    std::vector<TShown> messages;
    std::vector<TShown> questions;
    std::vector<TFileChoice> fileChoices;
    std::vector<int> deviceDialogs; // the current device each device dialog was opened with
    int aboutBoxes = 0;
    std::vector<TShown> saveQuestions;
    int newDialogs = 0;
    std::vector<TShown> recoverQuestions;

    std::deque<bool> confirmAnswers;
    std::deque<std::filesystem::path> fileAnswers;
    std::deque<int> deviceAnswers;
    std::deque<TSaveChangesAnswer> saveAnswers;
    std::deque<std::optional<TPeriodStructure>> newAnswers;
    std::deque<TRecoverAnswer> recoverAnswers;

    void showMessage(const std::string& text, const std::string& caption) override {
        messages.push_back({text, caption});
    }
    bool confirm(const std::string& text, const std::string& caption) override {
        questions.push_back({text, caption});
        return take(confirmAnswers, false);
    }
    std::optional<std::filesystem::path> askSaveName(const TFileChoice& choice) override {
        return askName(choice);
    }
    std::optional<std::filesystem::path> askOpenName(const TFileChoice& choice) override {
        return askName(choice);
    }
    int chooseMidiDevice(int current) override {
        deviceDialogs.push_back(current);
        return take(deviceAnswers, -1);
    }
    void showAbout() override { ++aboutBoxes; }
    TSaveChangesAnswer askSaveChanges(const std::string& text,
                                      const std::string& caption) override {
        saveQuestions.push_back({text, caption});
        return take(saveAnswers, TSaveChangesAnswer::Cancel);
    }
    TRecoverAnswer askRecover(const std::string& text, const std::string& caption) override {
        recoverQuestions.push_back({text, caption});
        return take(recoverAnswers, TRecoverAnswer::Later);
    }
    std::optional<TPeriodStructure> askNewComposition() override {
        ++newDialogs;
        return take(newAnswers, std::optional<TPeriodStructure>());
    }

private:
    template <typename T> static T take(std::deque<T>& script, T otherwise) {
        if (script.empty())
            return otherwise;
        T answer = script.front();
        script.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> askName(const TFileChoice& choice) {
        fileChoices.push_back(choice);
        if (fileAnswers.empty())
            return std::nullopt;
        return take(fileAnswers, std::filesystem::path());
    }
};

// A fresh folder under the system's temporary folder, removed with its content.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string readWhole(const std::filesystem::path& file);
void writeWhole(const std::filesystem::path& file, const std::string& text);
